#pragma once

#include "pagegeometry.h"
#include "pagination.h"

#include <QTextDocument>

// Fills the document with the manual's table of contents: a title, then one line per heading with
// its page number at the right margin, second-level headings indented. firstPage is the printed
// number of the page that the headings' page 0 becomes.
void WriteContents(QTextDocument& document, const QList<PlacedHeading>& headings, int firstPage,
                   const PageGeometry& page);
