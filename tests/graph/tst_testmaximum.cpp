#include "control/maxforce.h"

#include <QTest>

// Each record: force, force text, displacement text.
using Records = QList<std::tuple<double, QString, QString>>;
Q_DECLARE_METATYPE(Records)

class TestMaxForce : public QObject
{
    Q_OBJECT
private slots:
    void offer_data();
    void offer();
    void resetForgetsTheEarlierMaximum();
};

void TestMaxForce::offer_data()
{
    QTest::addColumn<Records>("records");
    QTest::addColumn<double>("force");
    QTest::addColumn<QString>("forceText");
    QTest::addColumn<QString>("displacementText");

    QTest::newRow("nothing offered") << Records{} << 0.0 << QStringLiteral("0") << "0";
    QTest::newRow("first record of all zero forces sets it")
        << Records{{0.0, "0", "0.000"}, {0.0, "0", "0.100"}} << 0.0 << QStringLiteral("0")
        << "0.000";
    QTest::newRow("largest wins") << Records{{0.0, "0", "0.000"},
                                             {523.0, "523", "0.512"},
                                             {400.0, "400", "0.600"}}
                                  << 523.0 << QStringLiteral("523") << "0.512";
    QTest::newRow("tie keeps the first")
        << Records{{300.0, "300", "0.200"}, {300.0, "300", "0.300"}} << 300.0
        << QStringLiteral("300") << "0.200";
}

void TestMaxForce::offer()
{
    QFETCH(Records, records);
    MaxForce maximum;
    for (const auto& [force, forceText, displacementText] : records)
        maximum.Offer(force, forceText, displacementText);
    QTEST(maximum.Force(), "force");
    QTEST(maximum.ForceText(), "forceText");
    QTEST(maximum.DisplacementText(), "displacementText");
}

// After a reset even a record of force 0 is the new maximum.
void TestMaxForce::resetForgetsTheEarlierMaximum()
{
    MaxForce maximum;
    maximum.Offer(900.0, "900", "1.200");
    maximum.Reset();
    QCOMPARE(maximum.ForceText(), QStringLiteral("0"));
    QCOMPARE(maximum.DisplacementText(), QStringLiteral("0"));
    maximum.Offer(0.0, "0", "0.250");
    QCOMPARE(maximum.Force(), 0.0);
    QCOMPARE(maximum.DisplacementText(), QStringLiteral("0.250"));
}

QTEST_APPLESS_MAIN(TestMaxForce)
#include "tst_maxforce.moc"
