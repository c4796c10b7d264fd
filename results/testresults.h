#pragma once

#include "results/testmethod.h"

#include <QLineF>
#include <QStringList>

#include <array>
#include <optional>

// The results of one test by ResultKind; a result that cannot be computed is empty, never 0.
using TestResults = std::array<std::optional<double>, ResultKindCount>;

// The results of a test's lines in the given units (the method is converted to them first), from
// the records the graph window plots (the same walk: the first cycle of a repeated test, "ID" and
// other lines passed over):
// - Maximum Force, Displacement at Maximum: the largest force and the displacement of the first
//   record that has it;
// - Break Force, Break Displacement: the first record after that one whose force is at or below
//   (1 - Drop/100) x the maximum (within a billionth of the maximum, so that a record of the very
//   force the drop names breaks in either units); none when no record falls that far;
// - Force at Displacement: at the first record whose displacement reaches the method's, linearly
//   interpolated with the record before it (the first record's own force when it already reaches
//   it); Displacement at Force the same with force and displacement exchanged;
// - Stiffness: the least-squares slope of force on displacement over the records from the first
//   up to the maximum whose force lies within [FromForce, ToForce]; none with fewer than two such
//   records or when they all have one displacement;
// - Energy: the trapezoidal sum of force over displacement from the first record to the break
//   record, or to the last record without a break (a displacement that runs back subtracts); none
//   with fewer than two records;
// - Average Force: the mean force of the records whose displacement lies within
//   [FromDisplacement, ToDisplacement].
// A test without records has no result at all. A record that is not a number throws
// ConversionError: a test read only in part gives no results.
TestResults ComputeResults(const QStringList& lines, const TestMethod& method, bool english);

// The straight line the stiffness is the slope of, to be drawn over the curve: from where it
// meets no force (or the displacement 0, when it meets no force before that) up to where it
// reaches the maximum force; nothing when the stiffness is not computed or the line does not
// rise.
std::optional<QLineF> StiffnessLine(const QStringList& lines, const TestMethod& method,
                                    bool english);
