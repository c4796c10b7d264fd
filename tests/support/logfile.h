#pragma once

#include <QByteArray>
#include <QString>

// The whole content of a log file, each leading 24-character timestamp replaced by "<stamp>", so
// a test compares whole files; empty when the file does not exist.
QByteArray LogWithoutStamps(const QString& path);

// Matches exactly one log timestamp such as "Sun Dec 06 03:42:32 2026".
QString LogStampPattern();
