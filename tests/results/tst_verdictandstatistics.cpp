// Verdicts against limits and the statistics of a sample, worked out by hand.
#include "results/resulttable.h"
#include "results/samplestatistics.h"
#include "results/verdict.h"

#include <QTest>

namespace {

using Limits = QList<std::optional<ResultLimit>>; // Maximum Force, Energy
using Breaches = QList<std::pair<ResultKind, bool>>;

TestResults Results(std::optional<double> maximumForce, std::optional<double> energy)
{
    TestResults results;
    results.at(ResultIndex(ResultKind::MaximumForce)) = maximumForce;
    results.at(ResultIndex(ResultKind::Energy)) = energy;
    return results;
}

} // namespace

class TestVerdictAndStatistics : public QObject
{
    Q_OBJECT
private slots:
    void judgesAgainstLimits_data();
    void judgesAgainstLimits();
    void computesStatisticsOverComputedResults_data();
    void computesStatisticsOverComputedResults();
    void sampleTableCopiesAsTabSeparatedRows();
};

void TestVerdictAndStatistics::judgesAgainstLimits_data()
{
    QTest::addColumn<Limits>("limits");
    QTest::addColumn<std::optional<double>>("energy");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("text");

    // The maximum force is 500 throughout.
    const std::optional<ResultLimit> none;
    QTest::newRow("no limits") << Limits{none, none} << std::optional<double>(12.0) << ""
                               << "";
    QTest::newRow("limits included") << Limits{ResultLimit{500, 500}, ResultLimit{12, 12}}
                                     << std::optional<double>(12.0) << "PASS"
                                     << "PASS";
    QTest::newRow("below low") << Limits{ResultLimit{501, std::nullopt}, none}
                               << std::optional<double>(12.0) << "FAIL"
                               << "FAIL: Maximum Force below its low limit";
    QTest::newRow("above high, one side only")
        << Limits{ResultLimit{std::nullopt, 499.5}, ResultLimit{std::nullopt, 12}}
        << std::optional<double>(12.0) << "FAIL"
        << "FAIL: Maximum Force above its high limit";
    QTest::newRow("limited but not computed")
        << Limits{ResultLimit{400, 600}, ResultLimit{1, std::nullopt}} << std::optional<double>()
        << "FAIL"
        << "FAIL: Energy not computed";
    QTest::newRow("two breaches in result order")
        << Limits{ResultLimit{600, 700}, ResultLimit{std::nullopt, 10}}
        << std::optional<double>(12.0) << "FAIL"
        << "FAIL: Maximum Force below its low limit; Energy above its high limit";
}

void TestVerdictAndStatistics::judgesAgainstLimits()
{
    QFETCH(Limits, limits);
    QFETCH(std::optional<double>, energy);
    QFETCH(QString, verdict);
    QFETCH(QString, text);

    TestMethod method;
    method.limits.at(ResultIndex(ResultKind::MaximumForce)) = limits[0];
    method.limits.at(ResultIndex(ResultKind::Energy)) = limits[1];
    const TestResults results = Results(500.0, energy);
    const Judgement judgement = JudgeResults(results, method);
    QCOMPARE(VerdictText(judgement.verdict), verdict);
    QCOMPARE(JudgementText(judgement, results), text);
}

void TestVerdictAndStatistics::computesStatisticsOverComputedResults_data()
{
    QTest::addColumn<QList<std::optional<double>>>("values");
    // n, Mean, Standard Deviation, CV %, Minimum, Maximum, Range as the table shows them.
    QTest::addColumn<QStringList>("statistics");

    // Mean 4; squares 4 + 0 + 4 over n - 1 = 2 give an SD of 2, half the mean.
    QTest::newRow("three") << QList<std::optional<double>>{2.0, 4.0, 6.0}
                           << QStringList{"3", "4", "2", "50", "2", "6", "4"};
    QTest::newRow("tests without the result are left out")
        << QList<std::optional<double>>{2.0, std::nullopt, 6.0, std::nullopt}
        << QStringList{"2", "4", "2.82843", "70.7107", "2", "6", "4"};
    QTest::newRow("one: no SD or CV")
        << QList<std::optional<double>>{5.0} << QStringList{"1", "5", "", "", "5", "5", "0"};
    QTest::newRow("mean 0: no CV") << QList<std::optional<double>>{-1.0, 1.0}
                                   << QStringList{"2", "0", "1.41421", "", "-1", "1", "2"};
    QTest::newRow("none computed")
        << QList<std::optional<double>>{std::nullopt} << QStringList{"0", "", "", "", "", "", ""};
}

void TestVerdictAndStatistics::computesStatisticsOverComputedResults()
{
    QFETCH(QList<std::optional<double>>, values);
    QFETCH(QStringList, statistics);

    QList<TestResults> sample;
    for (const std::optional<double>& value : values)
        sample.append(Results(1.0, value));
    const ResultStatistics energy =
        ComputeStatistics(sample, {}).byResult.at(ResultIndex(ResultKind::Energy));
    QStringList shown;
    for (const Statistic statistic : AllStatistics)
        shown.append(ResultText(StatisticValue(energy, statistic)));
    QCOMPARE(shown, statistics);
}

void TestVerdictAndStatistics::sampleTableCopiesAsTabSeparatedRows()
{
    TestMethod method;
    method.limits.at(ResultIndex(ResultKind::MaximumForce)) = ResultLimit{450, std::nullopt};
    const QStringList rising{"Oak", "", "X,Y", "0010,0400", "0020,0500", "TT"};
    const QStringList weak{"Pine", "", "X,Y", "0010,0300", "0020,0400", "TT"};
    const QStringList broken{"Elm", "", "X,Y", "0010,0x00", "TT"};
    const SampleResults sample =
        EvaluateTests({{"Oak", rising}, {"Pine", weak}, {"Elm", broken}}, method, true);
    QCOMPARE(sample.statistics.passed, 1);
    QCOMPARE(sample.statistics.failed, 1);

    const QStringList lines = TabSeparated(SampleResultTable(sample, method)).split(u'\n');
    QCOMPARE(lines.mid(0, 4),
             (QStringList{"Test\tMaximum Force (lbs.)\tDisplacement at Maximum (in.)\tEnergy "
                          "(lbs.in.)\tVerdict\tReason",
                          "Oak\t500\t0.02\t4.5\tPASS\t",
                          "Pine\t400\t0.02\t3.5\tFAIL\tMaximum Force below its low limit",
                          "Elm\t\t\t\t'0x00' is not a valid integer value"}));
    QCOMPARE(lines.mid(4, 5), (QStringList{"", "n\t2\t2\t2", "Mean\t450\t0.02\t4",
                                           "Standard Deviation\t70.7107\t0\t0.707107",
                                           "CV %\t15.7135\t0\t17.6777"}));
    QCOMPARE(lines.mid(12), (QStringList{"Passed 1, failed 1", ""}));
}

QTEST_APPLESS_MAIN(TestVerdictAndStatistics)
#include "tst_verdictandstatistics.moc"
