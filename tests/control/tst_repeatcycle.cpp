#include "control/repeatcycle.h"

#include <QTest>

Q_DECLARE_METATYPE(RepeatAction)

class TestRepeatCycle : public QObject
{
    Q_OBJECT
private slots:
    void decide_data();
    void decide();
};

void TestRepeatCycle::decide_data()
{
    // The counts as the fields read; the new counts as written back, "-" when left alone.
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("repeatChecked");
    QTest::addColumn<QString>("complete");
    QTest::addColumn<QString>("required");
    QTest::addColumn<QString>("newComplete");
    QTest::addColumn<QString>("newRequired");
    QTest::addColumn<bool>("endRepeat");
    QTest::addColumn<RepeatAction>("action");
    QTest::addColumn<bool>("finish");

    const auto none = RepeatAction::None;
    const auto home = RepeatAction::PerformHome;
    const auto test = RepeatAction::PerformTest;

    // Repeat mode off: counts untouched, any line whose second character is M or T finishes.
    QTest::newRow("single TM finishes") << QByteArray("TM\r") << false << "0"
                                        << "1"
                                        << "-"
                                        << "-" << false << none << true;
    QTest::newRow("single TT finishes") << QByteArray("TT\r") << false << "3"
                                        << "1"
                                        << "-"
                                        << "-" << false << none << true;
    QTest::newRow("single TL does not finish") << QByteArray("TL\r") << false << "0"
                                               << "1"
                                               << "-"
                                               << "-" << false << none << false;
    QTest::newRow("single XM finishes") << QByteArray("XM\r") << false << "0"
                                        << "1"
                                        << "-"
                                        << "-" << false << none << true;
    QTest::newRow("single H starts nothing") << QByteArray("H\r") << false << "0"
                                             << "1"
                                             << "-"
                                             << "-" << false << none << false;
    QTest::newRow("acknowledge") << QByteArray("\r") << false << "0"
                                 << "1"
                                 << "-"
                                 << "-" << false << none << false;

    // Repeat mode on.
    QTest::newRow("TM with cycles left goes home") << QByteArray("TM\r") << true << "0"
                                                   << "3"
                                                   << "1"
                                                   << "2" << false << home << false;
    QTest::newRow("TM on the last cycle ends and finishes") << QByteArray("TM\r") << true << "2"
                                                            << "1"
                                                            << "3"
                                                            << "0" << true << none << true;
    QTest::newRow("TT ends early and finishes") << QByteArray("TT\r") << true << "0"
                                                << "5"
                                                << "1"
                                                << "4" << true << none << true;
    QTest::newRow("TL ends without counting") << QByteArray("TL\r") << true << "1"
                                              << "4"
                                              << "-"
                                              << "-" << true << none << false;
    QTest::newRow("H at home starts the next test") << QByteArray("H\r") << true << "1"
                                                    << "2"
                                                    << "-"
                                                    << "-" << false << test << false;
    QTest::newRow("HX starts the next test too") << QByteArray("HX\r") << true << "1"
                                                 << "2"
                                                 << "-"
                                                 << "-" << false << test << false;
    QTest::newRow("TX does nothing") << QByteArray("TX\r") << true << "1"
                                     << "2"
                                     << "-"
                                     << "-" << false << none << false;
    QTest::newRow("XM with cycles left does nothing") << QByteArray("XM\r") << true << "1"
                                                      << "2"
                                                      << "-"
                                                      << "-" << false << none << false;
    QTest::newRow("XM with the count used up finishes") << QByteArray("XM\r") << true << "3"
                                                        << "0"
                                                        << "-"
                                                        << "-" << false << none << true;
    QTest::newRow("used-up count never goes negative") << QByteArray("TM\r") << true << "0"
                                                       << "0"
                                                       << "1"
                                                       << "0" << true << none << true;
    QTest::newRow("carriage return missing") << QByteArray("TM") << true << "0"
                                             << "2"
                                             << "1"
                                             << "1" << false << home << false;
    QTest::newRow("empty line") << QByteArray() << true << "0"
                                << "2"
                                << "-"
                                << "-" << false << none << false;
    QTest::newRow("blanks around the count") << QByteArray("TM\r") << true << "1"
                                             << " 3 "
                                             << "2"
                                             << "2" << false << home << false;

    // The operator has emptied the required count to type a new one: each line still acts.
    QTest::newRow("emptied count, TM goes home and leaves the field")
        << QByteArray("TM\r") << true << "1"
        << ""
        << "2"
        << "-" << false << home << false;
    QTest::newRow("emptied count, TT ends and finishes") << QByteArray("TT\r") << true << "0"
                                                         << ""
                                                         << "1"
                                                         << "-" << true << none << true;
    QTest::newRow("emptied count, H starts the next test") << QByteArray("H\r") << true << "1"
                                                           << ""
                                                           << "-"
                                                           << "-" << false << test << false;
    QTest::newRow("emptied count, XM does nothing") << QByteArray("XM\r") << true << "1"
                                                    << ""
                                                    << "-"
                                                    << "-" << false << none << false;
    QTest::newRow("emptied count, record") << QByteArray("0100,0200\r") << true << "1"
                                           << ""
                                           << "-"
                                           << "-" << false << none << false;
}

void TestRepeatCycle::decide()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, repeatChecked);
    QFETCH(QString, complete);
    QFETCH(QString, required);

    const RepeatCycleDecision decision =
        DecideRepeatCycle(line, {repeatChecked, complete, required});

    const auto written = [](const std::optional<int>& count) {
        return count ? QString::number(*count) : QStringLiteral("-");
    };
    QTEST(written(decision.cyclesComplete), "newComplete");
    QTEST(written(decision.cyclesRequired), "newRequired");
    QTEST(decision.endRepeatMode, "endRepeat");
    QTEST(decision.action, "action");
    QTEST(decision.finishTest, "finish");
}

QTEST_APPLESS_MAIN(TestRepeatCycle)
#include "tst_repeatcycle.moc"
