#pragma once

#include <QSizeF>

#include <optional>

QT_BEGIN_NAMESPACE
class QChartView;
class QPagedPaintDevice;
class QPainter;
class QRectF;
QT_END_NAMESPACE

// Draws a chart as it is shown, scaled to fit target with its proportions kept. On a printer or a
// PDF writer the drawing stays vector (lines and text), never a picture of the screen.
void DrawChart(QChartView* chart, QPainter& painter, const QRectF& target);

// Draws the chart laid out afresh at the size of target, in the painter's units: on a painter
// that draws in points, its text and lines are as large in points as they are in pixels on the
// screen. The chart on the screen keeps its own size.
void DrawChartLaidOut(QChartView* chart, QPainter& painter, const QRectF& target);

// Begins painting on a paged device in points, the same length across as down whatever the
// device's two resolutions. The page's size in points, or nothing when the device could not be
// painted on.
std::optional<QSizeF> BeginPaintingInPoints(QPainter& painter, QPagedPaintDevice& device);

// One page holding the chart, centred in the page's printable area, its text and lines as large in
// points as they are in pixels on the screen, whatever the size of the window. False when the
// device could not be painted on (a PDF file that cannot be created, a printer that refuses the
// job).
bool PrintChart(QChartView* chart, QPagedPaintDevice& device);
