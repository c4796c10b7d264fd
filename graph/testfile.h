#pragma once

#include <QString>
#include <QStringList>

// A test file (*.dat) holds the test line list as Latin-1 text, one line per entry.

// Reads the whole file; a carriage return, a line feed or the pair ends a line. Throws FileError
// when the file cannot be read.
QStringList LoadTestFile(const QString& path);

// Writes the whole list, each line ended by CR LF. The file is replaced only once everything has
// been written, so a failure (a full disk) leaves the old file as it was. Throws FileError.
void StoreTestFile(const QString& path, const QStringList& lines);
