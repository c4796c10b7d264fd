#include "recovery/recoveryfile.h"

#include "platform/errors.h"
#include "platform/linefile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

// "Cannot write file "<path>". <reason>", and the like.
FileError Failure(const QString& what, const QString& path, const QString& reason = {})
{
    return FileError(QStringLiteral("Cannot %1 \"%2\". %3")
                         .arg(what, QDir::toNativeSeparators(path), reason)
                         .trimmed());
}

void MakeFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw Failure(QStringLiteral("make folder"), folder);
}

} // namespace

void RecoveryFile::Create(const QString& folder, const QDateTime& begun, const QStringList& lines)
{
    MakeFolder(folder);
    begun_ = begun;
    file_.setFileName(NewRecoveryPath(folder, begun));
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        Fail(file_.errorString());
    QByteArray bytes = RecoveryHeader(begun);
    RecoveryRecords& records = records_.emplace(bytes);
    for (const QString& line : lines)
        bytes += records.Append(lineCount_++, line);
    Write(bytes);
}

void RecoveryFile::Append(const QString& line)
{
    if (Writable())
        Write(records_->Append(lineCount_++, line));
}

void RecoveryFile::Replace(qsizetype index, const QString& line)
{
    if (Writable())
        Write(records_->Replace(index, line));
}

void RecoveryFile::Sync()
{
    if (!Writable())
        return;
    if (fdatasync(file_.handle()) != 0)
        Fail(qt_error_string(errno));
    // A new file's name is on the disk only once its folder is synced too.
    if (std::exchange(folderSynced_, true))
        return;
    const QString folder = QFileInfo(file_).absolutePath();
    const int descriptor = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    const bool synced = descriptor >= 0 && fsync(descriptor) == 0;
    const int error = errno;
    if (descriptor >= 0)
        close(descriptor);
    if (!synced)
        throw Failure(QStringLiteral("sync folder"), folder, qt_error_string(error));
}

void RecoveryFile::Write(const QByteArray& bytes)
{
    if (!WriteAll(file_, bytes))
        Fail(file_.errorString());
}

void RecoveryFile::Fail(const QString& reason)
{
    failed_ = true;
    throw Failure(QStringLiteral("write file"), file_.fileName(), reason);
}

QString NewRecoveryPath(const QString& folder, const QDateTime& begun)
{
    const QString stem =
        QDir(folder).filePath(begun.toString(QStringLiteral("yyyyMMdd-hhmmss-zzz")));
    QString path = stem + QStringLiteral(".rec");
    for (int number = 2; QFile::exists(path); ++number)
        path = stem + QLatin1Char('-') + QString::number(number) + QStringLiteral(".rec");
    return path;
}

void StoreHandedOverTest(const QString& path, const QDateTime& begun, const QStringList& lines)
{
    MakeFolder(QFileInfo(path).absolutePath());
    const QByteArray bytes = RecoveryFileHolding(begun, lines);
    ReplaceFileWith(path, [&bytes](QIODevice& file) { return WriteAll(file, bytes); });
}

std::optional<RecoveredTest> ReadRecoveryFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Cannot open file \"%1\". %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
    std::optional<RecoveredTest> test = ReadRecoveryBytes(file.readAll());
    if (!test || test->lines.isEmpty())
        return std::nullopt;
    test->path = path;
    return test;
}
