#pragma once

#include "library/libraryentry.h"

#include <QStringList>

// The library window's list as comma-separated lines: a heading, then one line per entry at the
// positions, in that order. Times are ISO 8601 UTC as stored, results in the given units with six
// significant digits ("." as the decimal separator, empty where not computed); a field that holds
// a comma, a quote or a line end is quoted.
QStringList EntriesCsv(const QList<LibraryEntry>& entries, const QList<int>& positions,
                       bool english);

// Writes the lines as UTF-8, each ended by CR LF, replacing the file only once all is written.
// Throws FileError.
void StoreCsvFile(const QString& path, const QStringList& lines);
