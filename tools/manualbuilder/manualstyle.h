#pragma once

#include "pagegeometry.h"

#include <QFont>
#include <QTextDocument>

// The manual's look, applied to a document read from Markdown: body text with some leading,
// headings in a larger dark blue face with room above them, each top-level heading but the first
// on a new page, shaded program listings, and tables with thin rules and a shaded header row that
// repeats on every page the table runs over.
void StyleDocument(QTextDocument& document, const PageGeometry& page);

// The dark blue of headings and rules.
QColor HeadingColour();

// The face and size of body text.
QFont BodyFont();
