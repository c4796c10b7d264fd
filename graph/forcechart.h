#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QChartView;
class QLineSeries;
class QWidget;
QT_END_NAMESPACE

// The force against displacement chart of the graph windows. Everything that touches the chart
// library is behind these functions, so that moving to another chart library stays in one file.

// The colour to draw in: coloured when graphs are drawn in colour, black otherwise.
QColor GraphColour(const QColor& coloured);

// A white chart without a legend, with a displacement axis at the bottom (labels turned 90
// degrees) and a force axis on the left, whose labels are written by number pictures. The title
// starts topMargin pixels down, below whatever the window lays over the chart's top edge.
QChartView* CreateForceChart(QWidget* parent, const QString& objectName, int topMargin);

// A line series drawn against both axes, without point symbols, named in the legend when it shows.
// It keeps every point; the screen draws its envelope (graph/curveitem.h).
QLineSeries* AddForceSeries(QChartView* chart, const QString& objectName, const QColor& colour);

// Replaces the points of a series, kept in the given order.
void SetSeriesPoints(QLineSeries* series, const QList<QPointF>& points, const QColor& colour);

// Title lines and their colour, which is also the colour of the grid lines of both axes.
void SetChartTitle(QChartView* chart, const QStringList& lines, const QColor& colour);

void SetGridColour(QChartView* chart, const QColor& colour);

// A legend at the right naming every visible series in its colour.
void ShowLegend(QChartView* chart);

// Marks drawn over the curves by whoever reads results from them (a break point, a fitted line):
// a series of its own, found by its name and made on first use, left out of the legend. Dots are
// drawn unjoined, a line joins its points. No points hide the mark.
enum class MarkShape
{
    Dots,
    Line
};
void SetChartMark(QChartView* chart, const QString& objectName, MarkShape shape,
                  const QList<QPointF>& points, const QColor& colour);

// "Force (lbs.)" and "Displacement (in.)" in English units, "Force (kg)" and "Displacement (cm)"
// in metric units.
void SetAxisTitles(QChartView* chart, bool unitsEnglish);

// Scales the displacement axis to the points, labelled "#,##0.00#" no closer than 0.005 apart.
void ScaleDisplacementAxis(QChartView* chart, double minimum, double maximum);

// The force axis from 0 to 5 % above the highest force, so the highest curve stays clear of the
// frame; labelled "#,##0".
void ScaleForceAxis(QChartView* chart, double highestForce);
