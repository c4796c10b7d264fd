#pragma once

#include "platform/errors.h"

#include <QString>
#include <QStringList>

// A test file (*.dat) holds the test line list as a line file (platform/linefile.h): Latin-1 text,
// one line per entry.

// Reads the whole file. Throws FileError when it cannot be read.
QStringList LoadTestFile(const QString& path);

// Writes the whole list, each line ended by CR LF. The file is replaced only once everything has
// been written, so a failure (a full disk) leaves the old file as it was. Throws FileError, also
// before anything is written when a line holds a character that Latin-1 cannot store or a line
// break.
void StoreTestFile(const QString& path, const QStringList& lines);

// True when the lines are laid out as a test, with "X,Y" as their third line; a file without it
// was not written as a test.
bool HoldsTest(const QStringList& lines);

// A record that is not a number, told with the name of the file or window that holds the test.
ConversionError RecordErrorIn(const QString& name, const ConversionError& error);
