#include "program/logwriter.h"

#include <QFile>
#include <QLocale>

void WriteLogLine(const QString& path, const QString& prefix, const QString& message,
                  const QString& stamp, LogMode mode)
{
    QFile file(path);
    const QIODevice::OpenMode openMode =
        QIODevice::WriteOnly | (mode == LogMode::Append ? QIODevice::Append : QIODevice::Truncate);
    if (!file.open(openMode))
        throw -1001;
    if (prefix.isEmpty())
        return;
    QString line;
    if (stamp == QLatin1String("Y"))
        line = LogTimestamp(QDateTime::currentDateTime()) + QLatin1String(", ");
    line += prefix + message + QLatin1String("\r\n");
    const QByteArray bytes = line.toLatin1();
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw -1003;
}

QString LogTimestamp(const QDateTime& time)
{
    return QLocale::c().toString(time, QStringLiteral("ddd MMM dd hh:mm:ss yyyy"));
}
