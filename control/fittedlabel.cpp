#include "control/fittedlabel.h"

#include <QPainter>

namespace {
constexpr int SmallestPixelSize = 8;
}

QFont TFittedLabel::FittedFont() const
{
    QFont fitted = font();
    const int width = contentsRect().width();
    while (fitted.pixelSize() > SmallestPixelSize &&
           QFontMetrics(fitted).horizontalAdvance(text().trimmed()) > width)
        fitted.setPixelSize(fitted.pixelSize() - 1);
    return fitted;
}

void TFittedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(FittedFont());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), text().trimmed());
}
