#pragma once

#include "platform/errors.h"

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// The files the program keeps as lines of single-byte text (QOR.dat, test files) are Latin-1, so
// every byte survives a round trip. On reading, a carriage return, a line feed or the pair ends a
// line, and a last line without a line end is a line too; every line written ends in CR LF.

// Every line of the file. Throws FileError when it cannot be opened or read.
QStringList ReadLineFile(const QString& path);

// Replaces the file with the lines. Throws FileError, leaving the old file whole, when the writing
// fails or, before anything is written, when a line holds a character Latin-1 cannot store or a
// line break: a line is never changed on its way into a file.
void WriteLineFile(const QString& path, const QStringList& lines);

// Writes all the bytes to the device; false once a write fails. A write that stops short, where
// the disk fills up, is followed by one that fails and leaves the reason in errorString().
bool WriteAll(QIODevice& device, const QByteArray& bytes);

// Replaces the file with what write puts into the device (write answers false when it failed),
// only once all of it has been written. On any failure the old file stays whole and FileError is
// thrown.
void ReplaceFileWith(const QString& path, const std::function<bool(QIODevice&)>& write);
