#pragma once

#include <QList>
#include <QPen>
#include <QPointF>

QT_BEGIN_NAMESPACE
class QAbstractAxis;
class QChart;
class QLineSeries;
QT_END_NAMESPACE

// The control panel's live curve: one line of force against displacement that grows by a point
// per record for as long as a test or a repeat series runs, its points kept in the order added.
//
// The chart redraws a whole line series whenever a point is added to it, so one series would make
// every record cost more than the one before. The curve is drawn as a chain of series of at most
// SegmentPoints points instead, each link beginning at the last point of the one before; a new
// point touches the last link only, and costs the same however long the curve has grown.
class LiveCurve
{
public:
    static constexpr int SegmentPoints = 200;

    LiveCurve(QChart* chart, QAbstractAxis* xAxis, QAbstractAxis* yAxis, const QPen& pen);

    void Append(const QPointF& point);
    void Clear();

    // Every point of the curve in the order added.
    QList<QPointF> Points() const;
    qsizetype Count() const { return count_; }
    // The links as drawn, first to last.
    const QList<QLineSeries*>& Segments() const { return segments_; }

private:
    QLineSeries* AddSegment();

    QChart* chart_;
    QAbstractAxis* xAxis_;
    QAbstractAxis* yAxis_;
    QPen pen_;
    QList<QLineSeries*> segments_;
    qsizetype count_ = 0;
};
