#include "results/resulttable.h"

#include "platform/numbertext.h"

#include <algorithm>

namespace {

constexpr int SignificantDigits = 6;

QList<ResultKind> ShownKinds(const TestMethod& method)
{
    QList<ResultKind> kinds;
    for (const ResultKind kind : AllResultKinds) {
        if (MethodComputes(method, kind) || method.limits.at(ResultIndex(kind)))
            kinds.append(kind);
    }
    return kinds;
}

// The verdict of one result that has a limit.
QString RowVerdict(const TestEntry& test, ResultKind kind)
{
    const auto breach = std::ranges::find(test.judgement.breaches, kind, &LimitBreach::kind);
    if (breach == test.judgement.breaches.end())
        return VerdictText(Verdict::Pass);
    if (!test.results.at(ResultIndex(kind)))
        return QStringLiteral("FAIL not computed");
    return breach->belowLow ? QStringLiteral("FAIL low") : QStringLiteral("FAIL high");
}

} // namespace

QString ResultText(const std::optional<double>& value)
{
    return value ? SignificantText(*value, SignificantDigits) : QString();
}

ResultTable TestResultTable(const TestEntry& test, const TestMethod& method)
{
    ResultTable table{{QStringLiteral("Result"), QStringLiteral("Value"), QStringLiteral("Unit"),
                       QStringLiteral("Low"), QStringLiteral("High"), QStringLiteral("Verdict")},
                      {}};
    for (const ResultKind kind : ShownKinds(method)) {
        const std::optional<ResultLimit>& limit = method.limits.at(ResultIndex(kind));
        table.rows.append({ResultName(kind), ResultText(test.results.at(ResultIndex(kind))),
                           ResultUnit(kind, method.unitsEnglish),
                           limit ? ResultText(limit->low) : QString(),
                           limit ? ResultText(limit->high) : QString(),
                           limit ? RowVerdict(test, kind) : QString()});
    }
    return table;
}

ResultTable SampleResultTable(const SampleResults& sample, const TestMethod& method,
                              ReasonColumn reasons)
{
    const QList<ResultKind> kinds = ShownKinds(method);
    const bool judged = HasLimits(method);
    ResultTable table;
    table.headings.append(QStringLiteral("Test"));
    for (const ResultKind kind : kinds)
        table.headings.append(ResultHeading(kind, method.unitsEnglish));
    const bool reasonShown = judged && reasons == ReasonColumn::Shown;
    if (judged)
        table.headings.append(QStringLiteral("Verdict"));
    if (reasonShown)
        table.headings.append(QStringLiteral("Reason"));

    for (const TestEntry& test : sample.tests) {
        QStringList row{test.name};
        for (const ResultKind kind : kinds)
            row.append(ResultText(test.results.at(ResultIndex(kind))));
        if (!test.failure.isEmpty()) {
            row.append(test.failure);
        } else if (judged) {
            row.append(VerdictText(test.judgement.verdict));
            if (reasonShown)
                row.append(BreachReasons(test.judgement, test.results));
        }
        table.rows.append(row);
    }

    table.rows.append(QStringList());
    for (const Statistic statistic : AllStatistics) {
        QStringList row{StatisticName(statistic)};
        for (const ResultKind kind : kinds)
            row.append(ResultText(
                StatisticValue(sample.statistics.byResult.at(ResultIndex(kind)), statistic)));
        table.rows.append(row);
    }
    if (judged) {
        table.rows.append({QStringLiteral("Passed %1, failed %2")
                               .arg(sample.statistics.passed)
                               .arg(sample.statistics.failed)});
    }
    return table;
}

QString TabSeparated(const ResultTable& table)
{
    QStringList lines{table.headings.join(u'\t')};
    for (const QStringList& row : table.rows)
        lines.append(row.join(u'\t'));
    return lines.join(u'\n') + u'\n';
}

QString MethodSummary(const TestMethod& method)
{
    const bool english = method.unitsEnglish;
    const QString force = DimensionUnit(ResultDimension::Force, english);
    const QString displacement = DimensionUnit(ResultDimension::Displacement, english);
    const auto range = [](const std::pair<double, double>& pair, const QString& unit) {
        return QStringLiteral("from %1 to %2 %3")
            .arg(ResultText(pair.first), ResultText(pair.second), unit);
    };
    QStringList parts;
    if (method.breakDrop)
        parts.append(QStringLiteral("break at a drop of %1 % of the maximum")
                         .arg(ResultText(method.breakDrop)));
    if (method.forceAtDisplacement)
        parts.append(QStringLiteral("force at %1 %2")
                         .arg(ResultText(method.forceAtDisplacement), displacement));
    if (method.displacementAtForce)
        parts.append(QStringLiteral("displacement at %1 %2")
                         .arg(ResultText(method.displacementAtForce), force));
    if (method.stiffnessForces)
        parts.append(QStringLiteral("stiffness ") + range(*method.stiffnessForces, force));
    if (method.averageDisplacements)
        parts.append(QStringLiteral("average force ") +
                     range(*method.averageDisplacements, displacement));
    return parts.isEmpty() ? QStringLiteral("the maximum and the energy only")
                           : parts.join(QStringLiteral("; "));
}

QString LimitsSummary(const TestMethod& method)
{
    QStringList parts;
    for (const ResultKind kind : AllResultKinds) {
        const std::optional<ResultLimit>& limit = method.limits.at(ResultIndex(kind));
        if (!limit)
            continue;
        const QString unit = ResultUnit(kind, method.unitsEnglish);
        if (limit->low && limit->high)
            parts.append(
                QStringLiteral("%1 from %2 to %3 %4")
                    .arg(ResultName(kind), ResultText(limit->low), ResultText(limit->high), unit));
        else if (limit->low)
            parts.append(QStringLiteral("%1 at least %2 %3")
                             .arg(ResultName(kind), ResultText(limit->low), unit));
        else
            parts.append(QStringLiteral("%1 at most %2 %3")
                             .arg(ResultName(kind), ResultText(limit->high), unit));
    }
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral("; "));
}
