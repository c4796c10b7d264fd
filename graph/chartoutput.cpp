#include "graph/chartoutput.h"

#include <QChartView>
#include <QPagedPaintDevice>
#include <QPainter>

void DrawChart(QChartView* chart, QPainter& painter, const QRectF& target)
{
    QSizeF drawn = chart->viewport()->size();
    drawn.scale(target.size(), Qt::KeepAspectRatio);
    QRectF placed(QPointF(), drawn);
    placed.moveCenter(target.center());
    chart->render(&painter, placed, chart->viewport()->rect(), Qt::KeepAspectRatio);
}

bool PrintChart(QChartView* chart, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    DrawChart(chart, painter, QRectF(0, 0, device.width(), device.height()));
    return painter.end();
}
