#include "sim/testpiece.h"

#include <array>

namespace {

constexpr std::array AllSpecimens = {Specimen::Spring, Specimen::Yielding, Specimen::Soft};

constexpr double SpringStiffness = 2.5; // pounds per count
constexpr double SoftStiffness = 0.25;

// The yielding specimen: elastic to the yield point, hardening to its peak, necking, then broken.
constexpr double YieldingStiffness = 3.0;
constexpr double YieldPoint = 150.0;
constexpr double HardeningSlope = 0.5;
constexpr double PeakPoint = 450.0;
constexpr double NeckingSlope = 2.0;
constexpr double BreakPoint = 500.0;

double YieldingForce(double d)
{
    const double yieldForce = YieldingStiffness * YieldPoint;
    const double peakForce = yieldForce + HardeningSlope * (PeakPoint - YieldPoint);
    if (d <= YieldPoint)
        return YieldingStiffness * d;
    if (d <= PeakPoint)
        return yieldForce + HardeningSlope * (d - YieldPoint);
    if (d <= BreakPoint)
        return peakForce - NeckingSlope * (d - PeakPoint);
    return 0.0;
}

} // namespace

double SpecimenForce(Specimen specimen, double displacementCounts)
{
    switch (specimen) {
    case Specimen::Spring:
        return SpringStiffness * displacementCounts;
    case Specimen::Yielding:
        return YieldingForce(displacementCounts);
    case Specimen::Soft:
        return SoftStiffness * displacementCounts;
    }
    return 0.0;
}

QString SpecimenName(Specimen specimen)
{
    switch (specimen) {
    case Specimen::Spring:
        return QStringLiteral("spring");
    case Specimen::Yielding:
        return QStringLiteral("yielding");
    case Specimen::Soft:
        return QStringLiteral("soft");
    }
    return {};
}

QStringList SpecimenNames()
{
    QStringList names;
    for (const Specimen specimen : AllSpecimens)
        names << SpecimenName(specimen);
    return names;
}

std::optional<Specimen> SpecimenFromName(const QString& name)
{
    for (const Specimen specimen : AllSpecimens) {
        if (SpecimenName(specimen) == name)
            return specimen;
    }
    return std::nullopt;
}
