#include "wildcard.h"

#include <QTest>

class TestWildcard : public QObject
{
    Q_OBJECT
private slots:
    void matchesWildcard_data();
    void matchesWildcard();
};

void TestWildcard::matchesWildcard_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");

    QTest::newRow("*.* with an extension") << "*.*"
                                           << "QOR.dat" << true;
    QTest::newRow("*.* without a dot") << "*.*"
                                       << "README" << true;
    QTest::newRow(".* takes a name that begins with a dot") << ".*"
                                                            << ".profile" << true;
    QTest::newRow("name.* without an extension") << "setup.*"
                                                 << "SETUP" << true;
    QTest::newRow("name.* of another name") << "setup.*"
                                            << "setups" << false;
    QTest::newRow("extension in another case") << "*.dat"
                                               << "TEST1.DAT" << true;
    QTest::newRow("extension that only begins alike") << "*.dat"
                                                      << "test1.data" << false;
    QTest::newRow("extension that only ends alike") << "*.dat"
                                                    << "test1.xdat" << false;
    QTest::newRow("? is one character") << "t?.dat"
                                        << "t1.dat" << true;
    QTest::newRow("? is not two") << "t?.dat"
                                  << "t12.dat" << false;
    QTest::newRow("? is not none") << "t?.dat"
                                   << "t.dat" << false;
    QTest::newRow("? is one letter beyond ASCII") << "Pr?fung"
                                                  << "Prüfung" << true;
    QTest::newRow("case beyond ASCII") << "PRÜFUNG.DAT"
                                       << "prüfung.dat" << true;
    QTest::newRow("*. takes no extension") << "*."
                                           << "README" << true;
    QTest::newRow("*. refuses an extension") << "*."
                                             << "READ.ME" << false;
    QTest::newRow("star in the middle backtracks") << "a*b*c"
                                                   << "aXbYbZc" << true;
    QTest::newRow("star in the middle needs its tail") << "a*b*c"
                                                       << "aXbYcZ" << false;
    QTest::newRow("literal name") << "QOR.dat"
                                  << "qor.DAT" << true;
    QTest::newRow("literal name is whole") << "QOR.dat"
                                           << "QOR.dat.bak" << false;
    QTest::newRow("star alone") << "*"
                                << "anything at all" << true;
    QTest::newRow("blanks are characters") << "Bar *.dat"
                                           << "Bar Specimen 1.dat" << true;
}

void TestWildcard::matchesWildcard()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, expected);
    QCOMPARE(MatchesWildcard(pattern.toStdString(), name.toStdString()), expected);
}

QTEST_GUILESS_MAIN(TestWildcard)
#include "tst_wildcard.moc"
