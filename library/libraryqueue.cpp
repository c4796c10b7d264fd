#include "library/libraryqueue.h"

#include "platform/errors.h"
#include "platform/linefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// The queue's locks live in the user's runtime folder, in memory where the system has one, named
// after the queue: a lock taken at every save must not wait for the disk to sync it. (Programs of
// one user share a queue; the instance lock keeps to one program per user anyway.)
QString LockPath(const QString& queuePath, const QString& use)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray queue = QFileInfo(queuePath).absoluteFilePath().toUtf8();
    const QString key =
        QString::fromLatin1(QCryptographicHash::hash(queue, QCryptographicHash::Sha1).toHex());
    return QDir(folder).filePath(QStringLiteral("qor1000-queue-%1.%2.lock").arg(key, use));
}

// Appends and removals are short; a lock left by a program that died is taken over.
class QueueLock
{
public:
    explicit QueueLock(const QString& queuePath)
        : lock_(LockPath(queuePath, QStringLiteral("changing")))
    {
        if (!lock_.lock())
            throw FileError(QStringLiteral("Cannot lock \"%1\".")
                                .arg(QDir::toNativeSeparators(lock_.fileName())));
    }

private:
    QLockFile lock_;
};

FileError QueueFailure(const QFile& file)
{
    return FileError(QStringLiteral("Cannot write \"%1\". %2")
                         .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

} // namespace

LibraryQueue::LibraryQueue(const QString& path) : path_(path) {}

QString LibraryQueuePath(const QString& startDirectory)
{
    return QDir(startDirectory).filePath(QStringLiteral("library.queue"));
}

QString LibraryQueue::DeliveryLockPath() const
{
    return LockPath(path_, QStringLiteral("delivering"));
}

void LibraryQueue::Append(const QList<QJsonObject>& rows)
{
    QByteArray bytes;
    for (const QJsonObject& row : rows)
        bytes += QJsonDocument(row).toJson(QJsonDocument::Compact) + '\n';
    const QueueLock lock(path_);
    QFile file(path_);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        throw QueueFailure(file);
    // A line cut short by a crash stays a line of its own.
    if (file.size() > 0 && file.seek(file.size() - 1) && file.read(1) != "\n")
        bytes.prepend('\n');
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw QueueFailure(file);
}

LibraryQueue::Waiting LibraryQueue::Read() const
{
    QByteArray bytes;
    {
        const QueueLock lock(path_);
        QFile file(path_);
        if (!file.exists())
            return {};
        if (!file.open(QIODevice::ReadOnly))
            throw FileError(QStringLiteral("Cannot read \"%1\". %2")
                                .arg(QDir::toNativeSeparators(path_), file.errorString()));
        bytes = file.readAll();
    }
    Waiting waiting;
    // Only whole lines: one still being written stays for the next reading.
    for (qsizetype start = 0, end; (end = bytes.indexOf('\n', start)) >= 0; start = end + 1) {
        waiting.bytes = end + 1;
        const QByteArray line = bytes.mid(start, end - start);
        if (line.isEmpty())
            continue;
        const QJsonDocument row = QJsonDocument::fromJson(line);
        if (row.isObject())
            waiting.rows.append(row.object());
        else
            ++waiting.unreadable;
    }
    return waiting;
}

void LibraryQueue::Remove(qint64 bytes)
{
    const QueueLock lock(path_);
    QFile file(path_);
    if (!file.open(QIODevice::ReadWrite))
        throw QueueFailure(file);
    // Mostly nothing came after the rows delivered. The file is not synced to disk: rows that come
    // back after a power cut are delivered again and stored once.
    if (file.size() == bytes) {
        if (!file.resize(0))
            throw QueueFailure(file);
        return;
    }
    const QByteArray rest = file.readAll().mid(bytes);
    file.close();
    ReplaceFileWith(path_,
                    [&rest](QIODevice& device) { return device.write(rest) == rest.size(); });
}
