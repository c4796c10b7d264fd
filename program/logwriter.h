#pragma once

#include <QDateTime>
#include <QString>

enum class LogMode
{
    Append,
    Truncate
};

// The one writer of every log line: "<stamp>, " when stamp is "Y", then prefix, message and CR LF.
// An empty prefix writes nothing, so a truncating call with it just empties or creates the file.
// Throws -1001 when the file cannot be opened, -1003 when the line cannot be written (a full disk).
void WriteLogLine(const QString& path, const QString& prefix, const QString& message,
                  const QString& stamp, LogMode mode);

// The 24-character local-time stamp of the logs, such as "Sun Dec 06 03:42:32 2026".
QString LogTimestamp(const QDateTime& time);
