#pragma once

#include "library/libraryentry.h"
#include "results/resulttable.h"
#include "results/samplestatistics.h"

// The library stores results in inches and pounds; the window shows them in the units in force.

// The entry's result in the given units; empty when it was not computed.
std::optional<double> EntryResult(const LibraryEntry& entry, ResultKind kind, bool english);

// The sample statistics of the entries at the positions, in the given units.
SampleStatistics EntryStatistics(const QList<LibraryEntry>& entries, const QList<int>& positions,
                                 bool english);

// The statistics as a table: "Result" and the statistics' names as headings, then a row per
// result computed in any of the tests, headed with its unit.
ResultTable EntryStatisticsTable(const SampleStatistics& statistics, bool english);
