#include "platform/linefile.h"

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

// The lines as Latin-1 bytes, each ended by CR LF.
QByteArray EncodeLines(const QString& path, const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QByteArray bytes(size, Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        for (qsizetype at = 0; at < line.size(); ++at) {
            const char16_t c = line[at].unicode();
            if (c == u'\r' || c == u'\n')
                throw FileFailure("write", path,
                                  QStringLiteral("Line %1 holds a line break, which would split "
                                                 "it in two. Nothing was written.")
                                      .arg(index + 1));
            if (c > 0xff) {
                const QString character = line.mid(at, QChar::isHighSurrogate(c) ? 2 : 1);
                throw FileFailure("write", path,
                                  QStringLiteral("Line %1 holds \"%2\", a character this file "
                                                 "cannot hold. Nothing was written.")
                                      .arg(QString::number(index + 1), character));
            }
            *out++ = static_cast<char>(c);
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    return bytes;
}

} // namespace

QStringList ReadLineFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileFailure("open", path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileFailure("read", path, file.errorString());
    return SplitLines(bytes);
}

void WriteLineFile(const QString& path, const QStringList& lines)
{
    const QByteArray bytes = EncodeLines(path, lines);
    ReplaceFileWith(path, [&bytes](QIODevice& file) { return WriteAll(file, bytes); });
}

bool WriteAll(QIODevice& device, const QByteArray& bytes)
{
    for (qsizetype written = 0; written < bytes.size();) {
        const qint64 part = device.write(bytes.constData() + written, bytes.size() - written);
        if (part <= 0)
            return false;
        written += part;
    }
    return true;
}

void ReplaceFileWith(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(path);
    // Unbuffered: Qt 6.4's QSaveFile misses a failure of the buffered bytes written out as it
    // commits (a full disk) and puts the short file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileFailure("create", path, file.errorString());
    if (!write(file) || !file.commit())
        throw FileFailure("write", path, file.errorString());
}
