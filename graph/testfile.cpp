#include "graph/testfile.h"

#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

FileError FileFailure(const char* action, const QString& path, const QString& reason)
{
    return FileError(QStringLiteral("Cannot %1 file \"%2\". %3")
                         .arg(QLatin1String(action), QDir::toNativeSeparators(path), reason));
}

QStringList SplitLines(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(QString::fromLatin1(bytes.constData() + start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(QString::fromLatin1(bytes.constData() + start, bytes.size() - start));
    return lines;
}

} // namespace

QStringList LoadTestFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileFailure("open", path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileFailure("read", path, file.errorString());
    return SplitLines(bytes);
}

void StoreTestFile(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileFailure("create", path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw FileFailure("write", path, file.errorString());
}
