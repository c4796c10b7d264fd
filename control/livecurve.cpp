#include "control/livecurve.h"

#include <QChart>
#include <QLineSeries>

LiveCurve::LiveCurve(QChart* chart, QAbstractAxis* xAxis, QAbstractAxis* yAxis, const QPen& pen)
    : chart_(chart), xAxis_(xAxis), yAxis_(yAxis), pen_(pen)
{
    AddSegment();
}

void LiveCurve::Append(const QPointF& point)
{
    QLineSeries* last = segments_.constLast();
    if (last->count() == SegmentPoints) {
        const QPointF joint = last->at(SegmentPoints - 1);
        last = AddSegment();
        last->append(joint);
    }
    last->append(point);
    ++count_;
}

void LiveCurve::Clear()
{
    while (segments_.size() > 1) {
        QLineSeries* link = segments_.takeLast();
        chart_->removeSeries(link);
        delete link;
    }
    segments_.constFirst()->clear();
    count_ = 0;
}

QList<QPointF> LiveCurve::Points() const
{
    QList<QPointF> points;
    points.reserve(count_);
    for (const QLineSeries* link : segments_) {
        const QList<QPointF> linkPoints = link->points();
        // Every link after the first repeats the joint it begins at.
        points.append(link == segments_.constFirst() ? linkPoints : linkPoints.mid(1));
    }
    return points;
}

QLineSeries* LiveCurve::AddSegment()
{
    auto* link = new QLineSeries(chart_);
    link->setPen(pen_);
    link->setPointsVisible(false);
    chart_->addSeries(link);
    link->attachAxis(xAxis_);
    link->attachAxis(yAxis_);
    segments_.append(link);
    return link;
}
