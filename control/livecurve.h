#pragma once

#include <QList>
#include <QPen>
#include <QPointF>

QT_BEGIN_NAMESPACE
class QChart;
class QLineSeries;
class QValueAxis;
QT_END_NAMESPACE

// The control panel's live curve: one line of force against displacement that grows by a point
// per record for as long as a test or a repeat series runs, its points kept in the order added.
// It is drawn as a curve of the graph windows is (graph/curveitem.h): a new point extends what is
// drawn, and a redraw costs the same however long the curve has grown.
class LiveCurve
{
public:
    LiveCurve(QChart* chart, QValueAxis* xAxis, QValueAxis* yAxis, const QPen& pen);

    void Append(const QPointF& point);
    void Clear();

    // Every point of the curve in the order added.
    QList<QPointF> Points() const;
    qsizetype Count() const;

private:
    QLineSeries* points_;
};
