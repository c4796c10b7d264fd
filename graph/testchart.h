#pragma once

#include "platform/errors.h"

#include <QStringList>

#include <optional>

QT_BEGIN_NAMESPACE
class QChartView;
class QLineSeries;
class QWidget;
QT_END_NAMESPACE

// The chart of one test, as the single test graph window shows it and as qor-export and printed
// reports draw it: one red curve of the test's records, the title line and the maximum line above
// in blue (black when graphs are not drawn in colour), axis titles in the units in force, and both
// axes scaled to the records.

// A force chart (CreateForceChart) holding the test's one curve, "Series1".
QChartView* CreateTestChart(QWidget* parent, const QString& objectName, int topMargin);

// Adds the test's curve to a force chart made elsewhere.
QLineSeries* AddTestSeries(QChartView* chart);

// Draws lines into a chart made by CreateTestChart or given a curve by AddTestSeries. A record
// that is not a number ends the curve; its error is returned for the caller to report, after the
// records before it were drawn.
std::optional<ConversionError> DrawTestChart(QChartView* chart, const QStringList& lines);
