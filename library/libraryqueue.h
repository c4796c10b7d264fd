#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

// The rows of saved tests on their way to the library: library.queue in the start directory, one
// JSON object per line. A save appends its row here first, so that a library that cannot be
// reached never blocks or loses one; delivery takes rows from the front once the library has
// stored them. Several programs may share the file: every change holds its lock file.
class LibraryQueue
{
public:
    explicit LibraryQueue(const QString& path);

    QString Path() const { return path_; }

    // Adds the rows at the end. Throws FileError.
    void Append(const QList<QJsonObject>& rows);

    // The rows waiting, oldest first, and how many bytes of the file they take. A line that is
    // not a row (cut short by a crash) is counted and passed over.
    struct Waiting
    {
        QList<QJsonObject> rows;
        qint64 bytes = 0;
        int unreadable = 0;
    };
    Waiting Read() const;

    // Removes the first bytes, which Read() gave and the library now holds. Throws FileError.
    void Remove(qint64 bytes);

    // Held by whoever delivers the queue, for as long as it does, so that rows go to the library
    // in their order and none is taken twice. Never held by a save.
    QString DeliveryLockPath() const;

private:
    QString path_;
};

// library.queue in the start directory.
QString LibraryQueuePath(const QString& startDirectory);
