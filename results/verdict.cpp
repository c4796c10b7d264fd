#include "results/verdict.h"

Judgement JudgeResults(const TestResults& results, const TestMethod& method)
{
    Judgement judgement;
    if (!HasLimits(method))
        return judgement;
    for (const ResultKind kind : AllResultKinds) {
        const std::optional<ResultLimit>& limit = method.limits.at(ResultIndex(kind));
        if (!limit)
            continue;
        const std::optional<double>& value = results.at(ResultIndex(kind));
        if (value && limit->low && *value < *limit->low)
            judgement.breaches.append({kind, true});
        else if (!value || (limit->high && *value > *limit->high))
            judgement.breaches.append({kind, false});
    }
    judgement.verdict = judgement.breaches.isEmpty() ? Verdict::Pass : Verdict::Fail;
    return judgement;
}

QString VerdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::None:
        return {};
    case Verdict::Pass:
        return QStringLiteral("PASS");
    case Verdict::Fail:
        return QStringLiteral("FAIL");
    }
    Q_UNREACHABLE();
}

QString BreachText(const LimitBreach& breach, const TestResults& results)
{
    const QString name = ResultName(breach.kind);
    if (!results.at(ResultIndex(breach.kind)))
        return name + QStringLiteral(" not computed");
    return name + (breach.belowLow ? QStringLiteral(" below its low limit")
                                   : QStringLiteral(" above its high limit"));
}
