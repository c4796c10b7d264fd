#include "../graph/testrecords.h"
#include "dialogs/operatorentrybox.h"
#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "graph/testlines.h"
#include "modalanswers.h"
#include "platform/modalresult.h"
#include "results/resultspanel.h"
#include "results/sampleresults.h"

#include <QDialog>
#include <QTest>

namespace {

// Every result the program computes.
TestMethod FullMethod()
{
    TestMethod method;
    method.breakDrop = 20;
    method.forceAtDisplacement = 1.0;
    method.displacementAtForce = 3000;
    method.stiffnessForces = std::pair{500.0, 3500.0};
    method.averageDisplacements = std::pair{2.0, 6.0};
    method.limits.at(ResultIndex(ResultKind::MaximumForce)) = ResultLimit{4000, 6000};
    return method;
}

} // namespace

// All results of a 100,000-record test against the record walk alone, the results and
// statistics of ten tests, and the Results panel following the active window to a single test
// and to a multiple window of ten tests, each of 10,000 records.
class ResultsBenchmark : public QObject
{
    Q_OBJECT
    QStringList LongTest = MachineTest(100000 + 4);
    QStringList Test = MachineTest(10000 + 4);

    // The operator switches from one window to the other and back; the panel follows.
    static void FollowInTurn(QWidget* first, QWidget* second)
    {
        TResultsPanel panel;
        panel.show();
        QBENCHMARK
        {
            panel.FollowWindow(first);
            panel.FollowWindow(second);
        }
    }

private slots:
    void recordWalkAlone()
    {
        double sum = 0.0;
        QBENCHMARK
        {
            ReadTestRecords(LongTest, FactorsFor(true), [&](double displacement, double force) {
                sum += displacement + force;
            });
        }
        QVERIFY(sum > 0);
    }

    void allResults()
    {
        TestResults results;
        QBENCHMARK
        {
            results = ComputeResults(LongTest, FullMethod(), true);
        }
        QVERIFY(
            std::ranges::all_of(results, [](const auto& result) { return result.has_value(); }));
    }

    void resultsAndStatisticsOfTenTests()
    {
        const QList<NamedTest> tests(10, NamedTest{QStringLiteral("Specimen"), Test});
        SampleResults sample;
        QBENCHMARK
        {
            sample = EvaluateTests(tests, FullMethod(), true);
        }
        QCOMPARE(sample.statistics.byResult.at(0).n, 10);
    }

    void statisticsOfTenTestsAlone()
    {
        const QList<TestResults> results(10, ComputeResults(Test, FullMethod(), true));
        const QList<Verdict> verdicts(10, Verdict::Pass);
        SampleStatistics statistics;
        QBENCHMARK
        {
            statistics = ComputeStatistics(results, verdicts);
        }
        QCOMPARE(statistics.passed, 10);
    }

    void panelFollowsASingleTest()
    {
        TGraphForm single;
        single.SetLines(Test);
        TGraphForm other;
        other.SetLines(Test);
        FollowInTurn(&single, &other);
    }

    void panelFollowsAMultipleWindowOfTenTests()
    {
        ActOperatorEntryBox = new TActOperatorEntryBox;
        ModalAnswers answers({[](QWidget* prompt) { qobject_cast<QDialog*>(prompt)->done(mrOk); }});
        TGraphMultipleForm multiple;
        for (int test = 0; test < TGraphMultipleForm::MaximumTests; ++test)
            multiple.AddTestFile(Test);
        TGraphForm single;
        single.SetLines(Test);
        FollowInTurn(&multiple, &single);
    }
};

QTEST_MAIN(ResultsBenchmark)
#include "bench_results.moc"
