#pragma once

#include <QString>

// Builds the manual from the Markdown of the folder into a PDF at the output path: the cover on
// the first page, the table of contents, then the chapters, every page after the cover with the
// manual's title and its page number at the foot. The file appears only when it is whole; throws
// ManualError.
void BuildManualPdf(const QString& folder, const QString& outputPath);
