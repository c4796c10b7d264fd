#pragma once

#include "library/trend.h"

QT_BEGIN_NAMESPACE
class QChartView;
class QWidget;
QT_END_NAMESPACE

// The trend chart: a result over the time its tests finished, with the lines it is read by. All
// that touches the chart library for it is behind these two functions.

// A white chart with a time axis at the bottom and a value axis on the left, a legend below, and
// the lines that DrawTrend fills.
QChartView* CreateTrendChart(QWidget* parent);

// Draws the trend, in place of any drawn before: the tests as a line through their values (with a
// mark at each while there are few), the mean, the mean -/+ 3 SD and the method's limits as level
// lines across the time, the value axis titled valueTitle and scaled to show every line.
void DrawTrend(QChartView* chart, const Trend& trend, const QString& title,
               const QString& valueTitle);
