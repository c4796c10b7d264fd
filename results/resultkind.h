#pragma once

#include <QString>

#include <array>

// The results the program computes for one test, in the order every table shows them.
enum class ResultKind
{
    MaximumForce,
    DisplacementAtMaximum,
    BreakForce,
    BreakDisplacement,
    ForceAtDisplacement,
    DisplacementAtForce,
    Stiffness,
    Energy,
    AverageForce
};
inline constexpr int ResultKindCount = 9;
inline constexpr std::array<ResultKind, ResultKindCount> AllResultKinds{
    ResultKind::MaximumForce,        ResultKind::DisplacementAtMaximum,
    ResultKind::BreakForce,          ResultKind::BreakDisplacement,
    ResultKind::ForceAtDisplacement, ResultKind::DisplacementAtForce,
    ResultKind::Stiffness,           ResultKind::Energy,
    ResultKind::AverageForce};

// What a result measures, which decides its unit and how it converts between units.
enum class ResultDimension
{
    Force,
    Displacement,
    Stiffness, // force per displacement
    Energy     // force times displacement
};
ResultDimension DimensionOf(ResultKind kind);

// "Maximum Force", "Displacement at Maximum", ...
QString ResultName(ResultKind kind);
// The name without spaces ("MaximumForce"): the key of its limit in a method file.
QString ResultKey(ResultKind kind);
// "lbs.", "in.", "lbs./in.", "lbs.in." in English units; "kg", "cm", "kg/cm", "kg.cm" in metric.
QString ResultUnit(ResultKind kind, bool english);
QString DimensionUnit(ResultDimension dimension, bool english);
// "Maximum Force (lbs.)"
QString ResultHeading(ResultKind kind, bool english);

// A value of the dimension in the other units, converted with the program's own factors: through
// the machine's counts, so that a value that is a whole count comes out exactly as a record of that
// count does.
double ConvertValue(double value, ResultDimension dimension, bool fromEnglish, bool toEnglish);

constexpr int ResultIndex(ResultKind kind)
{
    return static_cast<int>(kind);
}
