// The results of one test, worked out by hand from its records.
#include "platform/errors.h"
#include "results/testresults.h"

#include <QLineF>
#include <QTest>

#include <cmath>

namespace {

QStringList Test(const QStringList& records)
{
    return QStringList{"Bracket 3", "Maximum Force (lbs.)=400 at Displacement (in.)=0.040", "X,Y"} +
           records;
}

// Break at a 20 % drop, force at 0.025 in., displacement at 150 lbs., stiffness between 100 and
// 300 lbs., average force between 0.02 and 0.04 in.
TestMethod FullMethod()
{
    TestMethod method;
    method.name = QStringLiteral("Bracket pull");
    method.breakDrop = 20;
    method.forceAtDisplacement = 0.025;
    method.displacementAtForce = 150;
    method.stiffnessForces = std::pair{100.0, 300.0};
    method.averageDisplacements = std::pair{0.02, 0.04};
    return method;
}

const double None = qQNaN();

// Rises to 400 lbs. at 0.040 in., then falls to 320 lbs. (the 20 % drop) at 0.060 in.
const QStringList Breaking{"0010,0100", "0020,0200", "0030,0300", "0040,0400",
                           "0050,0350", "0060,0320", "0070,0100", "TT"};

} // namespace

class TestTestResults : public QObject
{
    Q_OBJECT
private slots:
    void computesEachResult_data();
    void computesEachResult();
    void stiffnessLineIsTheFittedLine();
    void recordThatIsNotANumberGivesNoResults();
};

void TestTestResults::computesEachResult_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("fullMethod");
    QTest::addColumn<bool>("english");
    // Maximum Force, Displacement at Maximum, Break Force, Break Displacement, Force at
    // Displacement, Displacement at Force, Stiffness, Energy, Average Force; NaN: not computed.
    QTest::addColumn<QList<double>>("expected");

    // Energy to the break: 1.5 + 2.5 + 3.5 + 3.75 + 3.35; force at 0.025 halfway from 200 to
    // 300; displacement at 150 halfway from 0.010 to 0.020; stiffness 100 lbs. per 0.010 in.
    QTest::newRow("breaking") << Test(Breaking) << true << true
                              << QList<double>{400, 0.04, 320, 0.06, 250, 0.015, 10000, 14.6, 300};
    // The same in centimetres and kilograms: a force of exactly the drop still breaks.
    const double kg = 0.4535924;
    QTest::newRow("metric units") << Test(Breaking) << true << false
                                  << QList<double>{
                                         400 * kg, 0.1016, 320 * kg,          0.1524,
                                         250 * kg, 0.0381, 10000 * kg / 2.54, 14.6 * kg * 2.54,
                                         300 * kg};
    QTest::newRow("no break: the force keeps 85 % of its maximum")
        << Test({"0010,0100", "0020,0200", "0030,0170", "TT"}) << true << true
        << QList<double>{200, 0.02, None, None, 185, 0.015, 10000, 3.35, 185};
    QTest::newRow("ID and status lines among the records")
        << Test({"0010,0100", "ID", "S", "", "0020,0200", "ID", "0030,0170", "TT"}) << true << true
        << QList<double>{200, 0.02, None, None, 185, 0.015, 10000, 3.35, 185};
    // Energy: 4.0 out to 0.030 in., less 2.5 back to 0.020 in., where it breaks.
    QTest::newRow("displacement that runs back")
        << Test({"0010,0100", "0030,0300", "0020,0200", "TT"}) << true << true
        << QList<double>{300, 0.03, 200, 0.02, 250, 0.015, 10000, 1.5, 250};
    QTest::newRow("repeated test: the first cycle")
        << Test({"0010,0100", "0020,0200", "TM", "D", "QOR1000 Test Graph 2", "X,Y", "0025,0500",
                 "0030,0600", "TM"})
        << true << true << QList<double>{200, 0.02, None, None, None, 0.015, 10000, 1.5, 200};
    QTest::newRow("no records") << Test({"TM"}) << true << true
                                << QList<double>{None, None, None, None, None,
                                                 None, None, None, None};
    // The record already reaches 0.025 in. and 150 lbs.; one record spans no displacement.
    QTest::newRow("one record") << Test({"0030,0200", "TT"}) << true << true
                                << QList<double>{200, 0.03, None, None, 200, 0.03, None, None, 200};
    QTest::newRow("stiffness needs a spread in displacement")
        << Test({"0010,0100", "0010,0200", "0020,0400", "TT"}) << true << true
        << QList<double>{400, 0.02, None, None, None, 0.01, None, 3.0, 400};
    QTest::newRow("an empty method: what needs no setting")
        << Test(Breaking) << false << true
        << QList<double>{400, 0.04, None, None, None, None, None, 16.7, None};
}

void TestTestResults::computesEachResult()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, fullMethod);
    QFETCH(bool, english);
    QFETCH(QList<double>, expected);

    const TestResults results =
        ComputeResults(lines, fullMethod ? FullMethod() : TestMethod(), english);
    for (const ResultKind kind : AllResultKinds) {
        const double wanted = expected.at(ResultIndex(kind));
        const std::optional<double>& result = results.at(ResultIndex(kind));
        QVERIFY2(result.has_value() != std::isnan(wanted), qPrintable(ResultName(kind)));
        if (result && std::abs(*result - wanted) > 1e-9 * std::max(1.0, std::abs(wanted)))
            QFAIL(qPrintable(QStringLiteral("%1: %2, not %3")
                                 .arg(ResultName(kind))
                                 .arg(*result, 0, 'g', 17)
                                 .arg(wanted, 0, 'g', 17)));
    }
}

void TestTestResults::stiffnessLineIsTheFittedLine()
{
    // Between 100 and 300 lbs. the records lie on 10000 x displacement, drawn from no force up to
    // the maximum of 400 lbs. A line 50 lbs. higher would meet no force left of 0 in.: it starts
    // at 0 in.
    const std::optional<QLineF> line = StiffnessLine(Test(Breaking), FullMethod(), true);
    QVERIFY(line);
    QCOMPARE(line->p1(), QPointF(0, 0));
    QCOMPARE(line->p2(), QPointF(0.04, 400));
    const std::optional<QLineF> raised = StiffnessLine(
        Test({"0000,0050", "0010,0150", "0020,0250", "0030,0200", "TT"}), FullMethod(), true);
    QVERIFY(raised);
    QCOMPARE(raised->p1(), QPointF(0, 50));
    QCOMPARE(raised->p2(), QPointF(0.02, 250));
    QVERIFY(!StiffnessLine(Test(Breaking), TestMethod(), true));
}

void TestTestResults::recordThatIsNotANumberGivesNoResults()
{
    QVERIFY_THROWS_EXCEPTION(ConversionError, ComputeResults(Test({"0010,0100", "00x0,0200", "TT"}),
                                                             FullMethod(), true));
}

QTEST_APPLESS_MAIN(TestTestResults)
#include "tst_testresults.moc"
