#pragma once

#include <QByteArray>
#include <QString>

// The whole content of a file; empty when it cannot be read.
QByteArray ReadBytes(const QString& path);

// Writes a file with exactly these bytes, making its folder when missing; false when it cannot.
bool WriteBytes(const QString& path, const QByteArray& bytes);
