#include "results/resultkind.h"

#include "program/settings.h"

ResultDimension DimensionOf(ResultKind kind)
{
    switch (kind) {
    case ResultKind::MaximumForce:
    case ResultKind::BreakForce:
    case ResultKind::ForceAtDisplacement:
    case ResultKind::AverageForce:
        return ResultDimension::Force;
    case ResultKind::DisplacementAtMaximum:
    case ResultKind::BreakDisplacement:
    case ResultKind::DisplacementAtForce:
        return ResultDimension::Displacement;
    case ResultKind::Stiffness:
        return ResultDimension::Stiffness;
    case ResultKind::Energy:
        return ResultDimension::Energy;
    }
    Q_UNREACHABLE();
}

QString ResultName(ResultKind kind)
{
    switch (kind) {
    case ResultKind::MaximumForce:
        return QStringLiteral("Maximum Force");
    case ResultKind::DisplacementAtMaximum:
        return QStringLiteral("Displacement at Maximum");
    case ResultKind::BreakForce:
        return QStringLiteral("Break Force");
    case ResultKind::BreakDisplacement:
        return QStringLiteral("Break Displacement");
    case ResultKind::ForceAtDisplacement:
        return QStringLiteral("Force at Displacement");
    case ResultKind::DisplacementAtForce:
        return QStringLiteral("Displacement at Force");
    case ResultKind::Stiffness:
        return QStringLiteral("Stiffness");
    case ResultKind::Energy:
        return QStringLiteral("Energy");
    case ResultKind::AverageForce:
        return QStringLiteral("Average Force");
    }
    Q_UNREACHABLE();
}

QString ResultKey(ResultKind kind)
{
    return ResultName(kind).remove(u' ');
}

QString DimensionUnit(ResultDimension dimension, bool english)
{
    switch (dimension) {
    case ResultDimension::Force:
        return english ? QStringLiteral("lbs.") : QStringLiteral("kg");
    case ResultDimension::Displacement:
        return english ? QStringLiteral("in.") : QStringLiteral("cm");
    case ResultDimension::Stiffness:
        return english ? QStringLiteral("lbs./in.") : QStringLiteral("kg/cm");
    case ResultDimension::Energy:
        return english ? QStringLiteral("lbs.in.") : QStringLiteral("kg.cm");
    }
    Q_UNREACHABLE();
}

QString ResultUnit(ResultKind kind, bool english)
{
    return DimensionUnit(DimensionOf(kind), english);
}

QString ResultHeading(ResultKind kind, bool english)
{
    return QStringLiteral("%1 (%2)").arg(ResultName(kind), ResultUnit(kind, english));
}

double ConvertValue(double value, ResultDimension dimension, bool fromEnglish, bool toEnglish)
{
    if (fromEnglish == toEnglish)
        return value;
    const UnitFactors from = FactorsFor(fromEnglish);
    const UnitFactors to = FactorsFor(toEnglish);
    const auto force = [&](double v) { return v / from.force * to.force; };
    const auto displacement = [&](double v) { return v / from.displacement * to.displacement; };
    switch (dimension) {
    case ResultDimension::Force:
        return force(value);
    case ResultDimension::Displacement:
        return displacement(value);
    case ResultDimension::Stiffness:
        return force(value) / displacement(1.0);
    case ResultDimension::Energy:
        return force(value) * displacement(1.0);
    }
    Q_UNREACHABLE();
}
