#pragma once

#include <QSizeF>

// The printed page. Page sizes and painting are in the PDF writer's device units; lengths inside
// text formats (margins, paddings, tab stops, image sizes) are in screen pixels of 1/96 inch,
// which Qt's text layout scales to the device itself.
struct PageGeometry
{
    qreal dotsPerInch = 96;
    QSizeF text;            // width and height of the text on one page, device units
    qreal footerHeight = 0; // band under the text that holds the footer, device units

    // Typographic points (1/72 inch) in device units, for painting.
    qreal Dots(qreal points) const { return points * dotsPerInch / 72; }
    // Typographic points in screen pixels, for text formats.
    static qreal Pixels(qreal points) { return points * 96 / 72; }
    // The text area in screen pixels, for text formats.
    QSizeF TextInPixels() const { return text * 96 / dotsPerInch; }
};
