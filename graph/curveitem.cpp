#include "graph/curveitem.h"

#include "graph/curveenvelope.h"

#include <QChart>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <cmath>

namespace {

// Where the chart stacks its own series: above the grid and the axes, below the legend.
constexpr qreal SeriesStackingOrder = 4;

// Screens, pixmaps and images are drawn in pixels; printers, PDF files and pictures keep lines as
// lines and may be drawn at any size.
bool DrawsInPixels(const QPainter& painter)
{
    switch (painter.device()->devType()) {
    case QInternal::Widget:
    case QInternal::Pixmap:
    case QInternal::Image:
    case QInternal::FramebufferObject:
    case QInternal::OpenGL:
    case QInternal::CustomRaster:
        return true;
    default:
        return false;
    }
}

double Span(const QValueAxis* axis)
{
    const double span = axis->max() - axis->min();
    return span > 0.0 ? span : 1.0;
}

} // namespace

QLineSeries* AddCurve(QChart* chart, QValueAxis* xAxis, QValueAxis* yAxis, const QPen& pen)
{
    auto* series = new QLineSeries(chart);
    series->setPen(pen);
    series->setPointsVisible(false);
    new CurveItem(chart, series, xAxis, yAxis);
    return series;
}

CurveItem::CurveItem(QChart* chart, QLineSeries* series, QValueAxis* xAxis, QValueAxis* yAxis)
    : QGraphicsObject(chart), chart_(chart), series_(series), xAxis_(xAxis), yAxis_(yAxis)
{
    setZValue(SeriesStackingOrder);
    const auto redraw = [this] { update(); };
    const auto relayout = [this] {
        envelope_.reset();
        update();
    };
    connect(chart, &QChart::plotAreaChanged, this, [this] { prepareGeometryChange(); });
    for (QValueAxis* axis : {xAxis, yAxis})
        connect(axis, &QValueAxis::rangeChanged, this, redraw);
    connect(series, &QXYSeries::pointAdded, this, redraw);
    connect(series, &QXYSeries::pointReplaced, this, relayout);
    connect(series, &QXYSeries::pointsReplaced, this, relayout);
    connect(series, &QXYSeries::pointRemoved, this, relayout);
    connect(series, &QXYSeries::pointsRemoved, this, relayout);
    connect(series, &QXYSeries::penChanged, this, redraw);
    connect(series, &QAbstractSeries::visibleChanged, this,
            [this] { setVisible(series_->isVisible()); });
}

CurveItem::~CurveItem() = default;

// The plot area, widened as the chart widens it for its own series: to the pixel edge on the left
// and top, and by at least half a pixel on the right and bottom, so a line along an edge of the
// plot (a force of 0) shows, and nothing reaches beyond the plot.
QRectF CurveItem::boundingRect() const
{
    const QRectF plot = chart_->plotArea();
    const auto fraction = [](qreal value) { return value - int(value); };
    return plot.adjusted(-fraction(plot.x()), -fraction(plot.y()),
                         std::max(fraction(plot.width() + 0.5), 0.5),
                         std::max(fraction(plot.height() + 0.5), 0.5));
}

void CurveItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QList<QPointF> points = series_->points();
    if (points.size() < 2)
        return;
    painter->save();
    painter->setClipRect(boundingRect(), Qt::IntersectClip);
    painter->setPen(series_->pen());
    if (DrawsInPixels(*painter))
        DrawEnvelope(*painter, points);
    else
        painter->drawPolyline(ValuesToChart().map(QPolygonF(points)));
    painter->restore();
}

QTransform CurveItem::ValuesToChart() const
{
    const QRectF plot = chart_->plotArea();
    const double xScale = plot.width() / Span(xAxis_);
    const double yScale = plot.height() / Span(yAxis_);
    return QTransform(xScale, 0, 0, -yScale, plot.left() - xAxis_->min() * xScale,
                      plot.bottom() + yAxis_->min() * yScale);
}

CurveItem::Projection CurveItem::ProjectionOn(const QTransform& chartToDevice) const
{
    const QRectF plot = chartToDevice.mapRect(chart_->plotArea());
    const QTransform toPlotPixels =
        chartToDevice *
        QTransform::fromTranslate(-std::floor(plot.left()), -std::floor(plot.top()));
    return {ValuesToChart() * toPlotPixels, toPlotPixels.inverted(),
            int(std::ceil(plot.right() - std::floor(plot.left())))};
}

void CurveItem::DrawEnvelope(QPainter& painter, const QList<QPointF>& points)
{
    const Projection projection = ProjectionOn(painter.deviceTransform());
    if (!envelope_ || projection != projection_ || points.size() < pointsTaken_) {
        projection_ = projection;
        envelope_ = std::make_unique<CurveEnvelope>(projection.columns);
        pointsTaken_ = 0;
        finished_.clear();
    }
    for (; pointsTaken_ < points.size(); ++pointsTaken_)
        envelope_->Add(projection_.toPixels.map(points[pointsTaken_]));
    const QList<QLineF>& finished = envelope_->Finished();
    for (qsizetype segment = finished_.size(); segment < finished.size(); ++segment)
        finished_.append(projection_.toChart.map(finished[segment]));

    painter.drawLines(finished_);
    for (const QLineF& segment : envelope_->Open())
        painter.drawLine(projection_.toChart.map(segment));
}
