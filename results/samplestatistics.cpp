#include "results/samplestatistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

ResultStatistics StatisticsOf(const std::vector<double>& values)
{
    ResultStatistics statistics;
    statistics.n = static_cast<int>(values.size());
    if (values.empty())
        return statistics;
    const double n = static_cast<double>(values.size());
    const double mean = std::reduce(values.begin(), values.end()) / n;
    const auto [minimum, maximum] = std::ranges::minmax(values);
    statistics.mean = mean;
    statistics.minimum = minimum;
    statistics.maximum = maximum;
    statistics.range = maximum - minimum;
    if (values.size() < 2)
        return statistics;
    const double squares =
        std::transform_reduce(values.begin(), values.end(), 0.0, std::plus(),
                              [mean](double value) { return (value - mean) * (value - mean); });
    statistics.standardDeviation = std::sqrt(squares / (n - 1.0));
    if (mean != 0.0)
        statistics.cvPercent = *statistics.standardDeviation / mean * 100.0;
    return statistics;
}

SampleStatistics ComputeStatistics(const QList<TestResults>& results,
                                   const QList<Verdict>& verdicts)
{
    SampleStatistics sample;
    for (const ResultKind kind : AllResultKinds) {
        std::vector<double> values;
        for (const TestResults& test : results) {
            if (const std::optional<double>& value = test.at(ResultIndex(kind)))
                values.push_back(*value);
        }
        sample.byResult.at(ResultIndex(kind)) = StatisticsOf(values);
    }
    sample.passed = static_cast<int>(verdicts.count(Verdict::Pass));
    sample.failed = static_cast<int>(verdicts.count(Verdict::Fail));
    return sample;
}

QString StatisticName(Statistic statistic)
{
    switch (statistic) {
    case Statistic::N:
        return QStringLiteral("n");
    case Statistic::Mean:
        return QStringLiteral("Mean");
    case Statistic::StandardDeviation:
        return QStringLiteral("Standard Deviation");
    case Statistic::CvPercent:
        return QStringLiteral("CV %");
    case Statistic::Minimum:
        return QStringLiteral("Minimum");
    case Statistic::Maximum:
        return QStringLiteral("Maximum");
    case Statistic::Range:
        return QStringLiteral("Range");
    }
    Q_UNREACHABLE();
}

std::optional<double> StatisticValue(const ResultStatistics& statistics, Statistic statistic)
{
    switch (statistic) {
    case Statistic::N:
        return statistics.n;
    case Statistic::Mean:
        return statistics.mean;
    case Statistic::StandardDeviation:
        return statistics.standardDeviation;
    case Statistic::CvPercent:
        return statistics.cvPercent;
    case Statistic::Minimum:
        return statistics.minimum;
    case Statistic::Maximum:
        return statistics.maximum;
    case Statistic::Range:
        return statistics.range;
    }
    Q_UNREACHABLE();
}
