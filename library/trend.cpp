#include "library/trend.h"

#include "library/entryresults.h"
#include "results/currentmethod.h"

#include <QDirIterator>

#include <algorithm>

Trend TrendOf(const QList<LibraryEntry>& entries, const QList<int>& positions, ResultKind kind,
              bool english, const TestMethod* method)
{
    Trend trend;
    std::vector<double> values; // of the tests that have the result
    values.reserve(positions.size());
    trend.points.reserve(positions.size());
    for (int position : positions) {
        const LibraryEntry& entry = entries[position];
        if (const std::optional<double> value = EntryResult(entry, kind, english)) {
            trend.points.append(
                QPointF(static_cast<double>(entry.finished.toMSecsSinceEpoch()), *value));
            values.push_back(*value);
        }
    }
    // The library window lists the newest first: reversed, that is time order, as long as no two
    // tests finished at the same moment.
    const auto projection = &QPointF::x;
    if (std::ranges::adjacent_find(trend.points, std::ranges::less_equal(), projection) ==
        trend.points.end())
        std::ranges::reverse(trend.points);
    else if (!std::ranges::is_sorted(trend.points, {}, projection))
        std::ranges::stable_sort(trend.points, {}, projection);
    const ResultStatistics statistics = StatisticsOf(values);
    trend.mean = statistics.mean;
    if (statistics.mean && statistics.standardDeviation) {
        trend.lowerControl = *statistics.mean - 3 * *statistics.standardDeviation;
        trend.upperControl = *statistics.mean + 3 * *statistics.standardDeviation;
    }
    if (method) {
        if (const std::optional<ResultLimit> limit =
                MethodInUnits(*method, english).limits[ResultIndex(kind)]) {
            trend.low = limit->low;
            trend.high = limit->high;
        }
    }
    return trend;
}

std::optional<TestMethod> MethodOfEntries(const QList<LibraryEntry>& entries,
                                          const QList<int>& positions)
{
    QStringList names;
    for (int position : positions)
        names.append(entries[position].method);
    names.removeDuplicates();
    if (names.size() != 1 || names[0].isEmpty())
        return std::nullopt;
    if (const TestMethod current = CurrentMethod(); current.name == names[0])
        return current;
    QDirIterator files(MethodsFolder(), {QStringLiteral("*.ini")}, QDir::Files);
    while (files.hasNext()) {
        try {
            if (const TestMethod method = LoadTestMethod(files.next()); method.name == names[0])
                return method;
        } catch (const ProgramError&) {
            // A method file that cannot be read is not the one.
        }
    }
    return std::nullopt;
}
