#pragma once

#include "results/testresults.h"
#include "results/verdict.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// The statistics of one result over the tests where it was computed: n, the mean, the standard
// deviation (n - 1), the coefficient of variation (SD / mean x 100), the minimum, the maximum and
// their range. SD and CV need n >= 2, CV also a mean that is not 0; the others n >= 1.
struct ResultStatistics
{
    int n = 0;
    std::optional<double> mean, standardDeviation, cvPercent, minimum, maximum, range;
};

struct SampleStatistics
{
    std::array<ResultStatistics, ResultKindCount> byResult;
    int passed = 0;
    int failed = 0;
};

SampleStatistics ComputeStatistics(const QList<TestResults>& results,
                                   const QList<Verdict>& verdicts);
// The statistics of one result's values.
ResultStatistics StatisticsOf(const std::vector<double>& values);

// The statistics in the order the tables show them, each with its name: "n", "Mean",
// "Standard Deviation", "CV %", "Minimum", "Maximum", "Range".
enum class Statistic
{
    N,
    Mean,
    StandardDeviation,
    CvPercent,
    Minimum,
    Maximum,
    Range
};
inline constexpr std::array<Statistic, 7> AllStatistics{
    Statistic::N,         Statistic::Mean,    Statistic::StandardDeviation,
    Statistic::CvPercent, Statistic::Minimum, Statistic::Maximum,
    Statistic::Range};
QString StatisticName(Statistic statistic);
std::optional<double> StatisticValue(const ResultStatistics& statistics, Statistic statistic);
