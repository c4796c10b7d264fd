#include "graph/testmaximum.h"

#include <QTest>

// Each record: force, displacement.
using Records = QList<std::pair<double, double>>;
Q_DECLARE_METATYPE(Records)

class TestTestMaximum : public QObject
{
    Q_OBJECT
private slots:
    void offer_data();
    void offer();
    void resetForgetsTheEarlierMaximum();
    void summaryLine();
};

void TestTestMaximum::offer_data()
{
    QTest::addColumn<Records>("records");
    QTest::addColumn<double>("force");
    QTest::addColumn<double>("displacement");
    QTest::addColumn<QList<bool>>("raised"); // which offers became the maximum

    QTest::newRow("nothing offered") << Records{} << 0.0 << 0.0 << QList<bool>{};
    QTest::newRow("first record of all zero forces sets it")
        << Records{{0.0, 0.25}, {0.0, 0.5}} << 0.0 << 0.25 << QList<bool>{true, false};
    QTest::newRow("largest wins") << Records{{0.0, 0.0}, {523.0, 0.512}, {400.0, 0.6}} << 523.0
                                  << 0.512 << QList<bool>{true, true, false};
    QTest::newRow("tie keeps the first")
        << Records{{500.0, 0.2}, {300.0, 0.3}, {500.0, 0.4}} << 500.0 << 0.2
        << QList<bool>{true, false, false};
}

void TestTestMaximum::offer()
{
    QFETCH(Records, records);
    TestMaximum maximum;
    QList<bool> raised;
    for (const auto& [force, displacement] : records)
        raised.append(maximum.Offer(force, displacement));
    QTEST(maximum.Force(), "force");
    QTEST(maximum.Displacement(), "displacement");
    QTEST(raised, "raised");
}

// After a reset even a record of force 0 is the new maximum.
void TestTestMaximum::resetForgetsTheEarlierMaximum()
{
    TestMaximum maximum;
    maximum.Offer(900.0, 1.2);
    maximum.Reset();
    QCOMPARE(maximum.Force(), 0.0);
    QVERIFY(maximum.Offer(0.0, 0.25));
    QCOMPARE(maximum.Displacement(), 0.25);
}

void TestTestMaximum::summaryLine()
{
    QCOMPARE(SummaryLine("Force (lbs.)", "523", "Displacement (in.)", "0.512"),
             QStringLiteral("Maximum Force (lbs.)=523 at Displacement (in.)=0.512"));
}

QTEST_APPLESS_MAIN(TestTestMaximum)
#include "tst_testmaximum.moc"
