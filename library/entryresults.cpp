#include "library/entryresults.h"

#include "results/resulttable.h"

std::optional<double> EntryResult(const LibraryEntry& entry, ResultKind kind, bool english)
{
    const std::optional<double>& stored = entry.results[ResultIndex(kind)];
    if (!stored)
        return std::nullopt;
    return ConvertValue(*stored, DimensionOf(kind), true, english);
}

SampleStatistics EntryStatistics(const QList<LibraryEntry>& entries, const QList<int>& positions,
                                 bool english)
{
    QList<TestResults> results;
    QList<Verdict> verdicts;
    for (int position : positions) {
        const LibraryEntry& entry = entries[position];
        TestResults converted;
        for (ResultKind kind : AllResultKinds)
            converted[ResultIndex(kind)] = EntryResult(entry, kind, english);
        results.append(converted);
        verdicts.append(entry.verdict);
    }
    return ComputeStatistics(results, verdicts);
}

ResultTable EntryStatisticsTable(const SampleStatistics& statistics, bool english)
{
    ResultTable table;
    table.headings.append(QStringLiteral("Result"));
    for (Statistic statistic : AllStatistics)
        table.headings.append(StatisticName(statistic));
    for (ResultKind kind : AllResultKinds) {
        const ResultStatistics& result = statistics.byResult[ResultIndex(kind)];
        if (result.n == 0)
            continue;
        QStringList row{ResultHeading(kind, english)};
        for (Statistic statistic : AllStatistics)
            row.append(ResultText(StatisticValue(result, statistic)));
        table.rows.append(row);
    }
    return table;
}
