#include "graph/chartoutput.h"

#include <QChartView>
#include <QGraphicsScene>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// A rectangle of the given proportions, as large as fits into area, centred in it.
QRectF Fitted(const QSizeF& proportions, const QRectF& area)
{
    QRectF fitted(QPointF(), proportions.scaled(area.size(), Qt::KeepAspectRatio));
    fitted.moveCenter(area.center());
    return fitted;
}

} // namespace

void DrawChart(QChartView* chart, QPainter& painter, const QRectF& target)
{
    chart->render(&painter, Fitted(chart->viewport()->size(), target), chart->viewport()->rect(),
                  Qt::KeepAspectRatio);
}

// The page is drawn in points, the same length across as down whatever the printer's two
// resolutions, and the chart is laid out afresh at the size it takes there: its text and lines
// keep their sizes in points, so a print looks the same whatever the size of the window.
bool PrintChart(QChartView* chart, QPagedPaintDevice& device)
{
    QPainter painter;
    const std::optional<QSizeF> page = BeginPaintingInPoints(painter, device);
    if (!page)
        return false;
    DrawChartLaidOut(chart, painter, Fitted(chart->chart()->size(), QRectF(QPointF(), *page)));
    return painter.end();
}

std::optional<QSizeF> BeginPaintingInPoints(QPainter& painter, QPagedPaintDevice& device)
{
    if (!painter.begin(&device))
        return std::nullopt;
    const qreal pointsAcross = device.logicalDpiX() / 72.0;
    const qreal pointsDown = device.logicalDpiY() / 72.0;
    painter.scale(pointsAcross, pointsDown);
    return QSizeF(device.width() / pointsAcross, device.height() / pointsDown);
}

void DrawChartLaidOut(QChartView* chart, QPainter& painter, const QRectF& target)
{
    QChart* drawn = chart->chart();
    const QSizeF shown = drawn->size();
    drawn->resize(target.size());
    drawn->scene()->render(&painter, target, QRectF(drawn->pos(), target.size()));
    drawn->resize(shown);
}
