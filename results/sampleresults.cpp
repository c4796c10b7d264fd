#include "results/sampleresults.h"

SampleResults EvaluateTests(const QList<NamedTest>& tests, const TestMethod& method, bool english)
{
    const TestMethod inUnits = MethodInUnits(method, english);
    SampleResults sample;
    QList<TestResults> computed;
    QList<Verdict> verdicts;
    for (const NamedTest& test : tests) {
        TestEntry entry{test.name, {}, {}, {}};
        try {
            entry.results = ComputeResults(test.lines, inUnits, english);
            entry.judgement = JudgeResults(entry.results, inUnits);
            computed.append(entry.results);
            verdicts.append(entry.judgement.verdict);
        } catch (const ConversionError& error) {
            entry.failure = error.Message();
        }
        sample.tests.append(entry);
    }
    sample.statistics = ComputeStatistics(computed, verdicts);
    return sample;
}

QString BreachReasons(const Judgement& judgement, const TestResults& results)
{
    QStringList reasons;
    for (const LimitBreach& breach : judgement.breaches)
        reasons.append(BreachText(breach, results));
    return reasons.join(QStringLiteral("; "));
}

QString JudgementText(const Judgement& judgement, const TestResults& results)
{
    if (judgement.verdict != Verdict::Fail)
        return VerdictText(judgement.verdict);
    return VerdictText(judgement.verdict) + QStringLiteral(": ") +
           BreachReasons(judgement, results);
}
