#pragma once

#include "pagegeometry.h"

#include <QTextDocument>

// Loads every image the document names, relative to the folder, into the document, at the size a
// screen shows it but never wider than the text or taller than most of a page; an image alone in
// its paragraph is centred. Throws ManualError naming an image that cannot be loaded.
void EmbedImages(QTextDocument& document, const QString& folder, const PageGeometry& page);
