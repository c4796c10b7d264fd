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
    if (!painter.begin(&device))
        return false;
    const qreal pointsAcross = device.logicalDpiX() / 72.0;
    const qreal pointsDown = device.logicalDpiY() / 72.0;
    painter.scale(pointsAcross, pointsDown);

    QChart* drawn = chart->chart();
    const QSizeF shown = drawn->size();
    const QRectF page =
        Fitted(shown, QRectF(0, 0, device.width() / pointsAcross, device.height() / pointsDown));
    drawn->resize(page.size());
    drawn->scene()->render(&painter, page, QRectF(drawn->pos(), page.size()));
    drawn->resize(shown);
    return painter.end();
}
