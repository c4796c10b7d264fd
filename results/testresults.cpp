#include "results/testresults.h"

#include "graph/testlines.h"
#include "program/settings.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

struct RecordPoint
{
    double displacement;
    double force;
};
using RecordPoints = std::vector<RecordPoint>;

RecordPoints WalkRecords(const QStringList& lines, bool english)
{
    RecordPoints points;
    points.reserve(lines.size());
    ReadTestRecords(lines, FactorsFor(english), [&](double displacement, double force) {
        points.push_back({displacement, force});
    });
    return points;
}

// The first record with the largest force.
qsizetype MaximumIndex(const RecordPoints& points)
{
    return std::ranges::max_element(points, std::ranges::less(), &RecordPoint::force) -
           points.begin();
}

std::optional<qsizetype> BreakIndex(const RecordPoints& points, qsizetype maximum, double drop)
{
    const double top = points[maximum].force;
    const double threshold = (1.0 - drop / 100.0) * top + 1e-9 * top;
    const auto broken = std::find_if(points.begin() + maximum + 1, points.end(),
                                     [&](const RecordPoint& p) { return p.force <= threshold; });
    if (broken == points.end())
        return std::nullopt;
    return broken - points.begin();
}

// The value of the other quantity where the first record reaches target, interpolated with the
// record before it. along picks the quantity that reaches, across the one returned.
std::optional<double> ValueWhereReached(const RecordPoints& points, double target,
                                        double RecordPoint::*along, double RecordPoint::*across)
{
    const auto reached = std::find_if(points.begin(), points.end(),
                                      [&](const RecordPoint& p) { return p.*along >= target; });
    if (reached == points.end())
        return std::nullopt;
    if (reached == points.begin())
        return (*reached).*across;
    const RecordPoint& before = *(reached - 1);
    const double share = (target - before.*along) / ((*reached).*along - before.*along);
    return before.*across + share * ((*reached).*across - before.*across);
}

struct StraightLine
{
    double slope;
    double intercept;
};

std::optional<StraightLine> FitStiffness(const RecordPoints& points, qsizetype maximum,
                                         std::pair<double, double> forces)
{
    RecordPoints used;
    std::copy_if(
        points.begin(), points.begin() + maximum + 1, std::back_inserter(used),
        [&](const RecordPoint& p) { return p.force >= forces.first && p.force <= forces.second; });
    if (used.size() < 2)
        return std::nullopt;
    const auto [left, right] = std::ranges::minmax(used, {}, &RecordPoint::displacement);
    if (left.displacement == right.displacement)
        return std::nullopt;
    const double count = static_cast<double>(used.size());
    const auto mean = [&](double RecordPoint::*of) {
        return std::transform_reduce(used.begin(), used.end(), 0.0, std::plus(),
                                     [&](const RecordPoint& p) { return p.*of; }) /
               count;
    };
    const double meanDisplacement = mean(&RecordPoint::displacement);
    const double meanForce = mean(&RecordPoint::force);
    double sxy = 0.0;
    double sxx = 0.0;
    for (const RecordPoint& p : used) {
        sxy += (p.displacement - meanDisplacement) * (p.force - meanForce);
        sxx += (p.displacement - meanDisplacement) * (p.displacement - meanDisplacement);
    }
    const double slope = sxy / sxx;
    return StraightLine{slope, meanForce - slope * meanDisplacement};
}

std::optional<double> Energy(const RecordPoints& points, qsizetype last)
{
    if (last < 1)
        return std::nullopt;
    double sum = 0.0;
    for (qsizetype i = 1; i <= last; ++i) {
        sum += (points[i - 1].force + points[i].force) / 2.0 *
               (points[i].displacement - points[i - 1].displacement);
    }
    return sum;
}

std::optional<double> AverageForce(const RecordPoints& points, std::pair<double, double> range)
{
    double sum = 0.0;
    int count = 0;
    for (const RecordPoint& p : points) {
        if (p.displacement >= range.first && p.displacement <= range.second) {
            sum += p.force;
            ++count;
        }
    }
    if (count == 0)
        return std::nullopt;
    return sum / count;
}

} // namespace

TestResults ComputeResults(const QStringList& lines, const TestMethod& givenMethod, bool english)
{
    const TestMethod method = MethodInUnits(givenMethod, english);
    const RecordPoints points = WalkRecords(lines, english);
    TestResults results;
    if (points.empty())
        return results;
    const auto set = [&](ResultKind kind, std::optional<double> value) {
        results.at(ResultIndex(kind)) = value;
    };

    const qsizetype maximum = MaximumIndex(points);
    set(ResultKind::MaximumForce, points[maximum].force);
    set(ResultKind::DisplacementAtMaximum, points[maximum].displacement);

    std::optional<qsizetype> broken;
    if (method.breakDrop)
        broken = BreakIndex(points, maximum, *method.breakDrop);
    if (broken) {
        set(ResultKind::BreakForce, points[*broken].force);
        set(ResultKind::BreakDisplacement, points[*broken].displacement);
    }
    if (method.forceAtDisplacement) {
        set(ResultKind::ForceAtDisplacement,
            ValueWhereReached(points, *method.forceAtDisplacement, &RecordPoint::displacement,
                              &RecordPoint::force));
    }
    if (method.displacementAtForce) {
        set(ResultKind::DisplacementAtForce,
            ValueWhereReached(points, *method.displacementAtForce, &RecordPoint::force,
                              &RecordPoint::displacement));
    }
    if (method.stiffnessForces) {
        if (const auto line = FitStiffness(points, maximum, *method.stiffnessForces))
            set(ResultKind::Stiffness, line->slope);
    }
    set(ResultKind::Energy,
        Energy(points, broken.value_or(static_cast<qsizetype>(points.size()) - 1)));
    if (method.averageDisplacements)
        set(ResultKind::AverageForce, AverageForce(points, *method.averageDisplacements));
    return results;
}

std::optional<QLineF> StiffnessLine(const QStringList& lines, const TestMethod& givenMethod,
                                    bool english)
{
    const TestMethod method = MethodInUnits(givenMethod, english);
    if (!method.stiffnessForces)
        return std::nullopt;
    const RecordPoints points = WalkRecords(lines, english);
    if (points.empty())
        return std::nullopt;
    const qsizetype maximum = MaximumIndex(points);
    const std::optional<StraightLine> line = FitStiffness(points, maximum, *method.stiffnessForces);
    if (!line || line->slope <= 0)
        return std::nullopt;
    const auto displacementAt = [&](double force) {
        return (force - line->intercept) / line->slope;
    };
    const double from = std::max(0.0, displacementAt(0.0));
    return QLineF(from, line->intercept + line->slope * from, displacementAt(points[maximum].force),
                  points[maximum].force);
}
