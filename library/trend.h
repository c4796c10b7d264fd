#pragma once

#include "library/libraryentry.h"

#include <QPointF>

// One result of several tests over the time they finished, with the lines a lab reads it by.
struct Trend
{
    QList<QPointF> points{}; // x: finished, ms since the epoch; y: the result; in time order
    std::optional<double> mean{};
    std::optional<double> lowerControl{}, upperControl{}; // mean -/+ 3 standard deviations
    std::optional<double> low{}, high{};                  // the method's limits
};

// The trend of the result over the entries at the positions that have it, in the given units,
// with the limits of method (in its own units; null for none).
Trend TrendOf(const QList<LibraryEntry>& entries, const QList<int>& positions, ResultKind kind,
              bool english, const TestMethod* method);

// The method the entries at the positions were all judged by, to draw its limits: the current one
// when it has their method's name, else the first method file of that name in the methods folder.
// None when they name different methods or no file has the name.
std::optional<TestMethod> MethodOfEntries(const QList<LibraryEntry>& entries,
                                          const QList<int>& positions);
