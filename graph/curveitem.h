#pragma once

#include <QGraphicsObject>
#include <QLineF>
#include <QList>
#include <QTransform>

#include <memory>

class CurveEnvelope;
QT_BEGIN_NAMESPACE
class QChart;
class QLineSeries;
class QValueAxis;
QT_END_NAMESPACE

// A line series that keeps every point of a curve, drawn in its pen against two axes of the chart
// by a CurveItem instead of by the chart: the chart would lay out and draw each point every time.
// The series is owned by the chart but is not one of its series, so it adds no legend entry.
QLineSeries* AddCurve(QChart* chart, QValueAxis* xAxis, QValueAxis* yAxis, const QPen& pen);

// Draws a series' points as a line in the chart's plot area, clipped there as the chart clips its
// own series. On a screen or a picture it draws the curve's envelope (CurveEnvelope), laid out
// once for the plot's size and the axes' ranges and extended as points are added, so a redraw
// costs what the pixels cost, not the points. A printer or a PDF file gets every point, as lines.
class CurveItem : public QGraphicsObject
{
public:
    CurveItem(QChart* chart, QLineSeries* series, QValueAxis* xAxis, QValueAxis* yAxis);
    ~CurveItem() override;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    // How the points reach the pixels of the device painted on, and back to the chart.
    struct Projection
    {
        QTransform toPixels; // from values to pixels from the plot's top left pixel
        QTransform toChart;  // from those pixels to the chart's coordinates
        int columns = 0;
        bool operator==(const Projection&) const = default;
    };

    QTransform ValuesToChart() const;
    Projection ProjectionOn(const QTransform& chartToDevice) const;
    void DrawEnvelope(QPainter& painter, const QList<QPointF>& points);

    QChart* chart_;
    QLineSeries* series_;
    QValueAxis* xAxis_;
    QValueAxis* yAxis_;

    // The envelope as last drawn, and how many of the series' points it holds.
    Projection projection_;
    std::unique_ptr<CurveEnvelope> envelope_;
    qsizetype pointsTaken_ = 0;
    QList<QLineF> finished_; // the envelope's finished segments in chart coordinates
};
