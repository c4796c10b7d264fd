#include "control/livecurve.h"

#include "graph/curveitem.h"

#include <QLineSeries>

LiveCurve::LiveCurve(QChart* chart, QValueAxis* xAxis, QValueAxis* yAxis, const QPen& pen)
    : points_(AddCurve(chart, xAxis, yAxis, pen))
{
}

void LiveCurve::Append(const QPointF& point)
{
    points_->append(point);
}

void LiveCurve::Clear()
{
    points_->clear();
}

QList<QPointF> LiveCurve::Points() const
{
    return points_->points();
}

qsizetype LiveCurve::Count() const
{
    return points_->count();
}
