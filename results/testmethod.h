#pragma once

#include "platform/errors.h"
#include "results/resultkind.h"

#include <QString>

#include <array>
#include <optional>
#include <utility>

// A test method: what to compute for each test and the limits its results must keep. It is kept
// as an INI file in methods/ of the start directory:
//
//     [Method]
//     Name=Bracket pull
//     Units=ENGLISH                 ; ENGLISH or METRIC: the units of every value in this file
//     [Break]
//     Drop=20                       ; per cent of the maximum force
//     [ForceAt]
//     Displacement=0.105
//     [DisplacementAt]
//     Force=250.5
//     [Stiffness]
//     FromForce=100.5
//     ToForce=400.5
//     [Average]
//     FromDisplacement=0.1005
//     ToDisplacement=0.3005
//     [Limits]
//     MaximumForce=450.5,600.5      ; low,high; either side may be empty
//     Energy=,200.5
//
// Every key is optional; a section that is missing means its results are not computed. The
// maximum, the displacement at the maximum and the energy need no setting and are always computed.
// A limit's key is its result's key (ResultKey).

struct ResultLimit
{
    std::optional<double> low, high;

    bool operator==(const ResultLimit&) const = default;
};

struct TestMethod
{
    QString name;
    bool unitsEnglish = true;        // the units of every value below
    std::optional<double> breakDrop; // per cent of the maximum
    std::optional<double> forceAtDisplacement;
    std::optional<double> displacementAtForce;
    std::optional<std::pair<double, double>> stiffnessForces;       // from, to
    std::optional<std::pair<double, double>> averageDisplacements;  // from, to
    std::array<std::optional<ResultLimit>, ResultKindCount> limits; // by ResultKind

    bool operator==(const TestMethod&) const = default;
};

// A method file that cannot be used: the message names the file, the line and the key.
class MethodError : public ProgramError
{
public:
    using ProgramError::ProgramError;
};

// Reads a method file. Throws FileError when it cannot be read and MethodError naming the key and
// its line for a value that is refused (not a number, a drop outside 0 to 100, From above To, a
// low limit above the high one, a key the program does not know, half of a pair).
TestMethod LoadTestMethod(const QString& path);

// Writes the method to path, replacing the file only once it is whole. Throws FileError.
void SaveTestMethod(const TestMethod& method, const QString& path);

// The method with every value converted to the given units.
TestMethod MethodInUnits(const TestMethod& method, bool english);

// Whether the method has its results computed: the maximum, its displacement and the energy
// always, the others when their section is there.
bool MethodComputes(const TestMethod& method, ResultKind kind);

// True when any result has a limit.
bool HasLimits(const TestMethod& method);
