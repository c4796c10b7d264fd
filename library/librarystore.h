#pragma once

#include "library/libraryentry.h"
#include "library/librarysettings.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QSqlDatabase>

class LibraryQueue;

// One connection to the test library, for the thread that made it. It opens when first needed,
// making or upgrading the tables; after a failure it is closed, so the next use opens it anew
// (a server that was restarted, a network that came back). Every failure throws LibraryError.
class LibraryStore
{
public:
    // connectionName names the connection among the thread's; one per store.
    LibraryStore(const LibrarySettings& settings, const QString& connectionName);
    ~LibraryStore();
    LibraryStore(const LibraryStore&) = delete;
    LibraryStore& operator=(const LibraryStore&) = delete;

    const LibrarySettings& Settings() const { return settings_; }

    // Stores the rows in one transaction. A row whose uuid is stored already is passed over, so
    // rows delivered again after a failure that hid a success are stored once. A row's finished
    // time becomes the earliest one stored for the same content, when there is one: a test saved
    // again, or copied, keeps the time it was first known.
    void Insert(const QList<QJsonObject>& rows);

    // The current entry of every file: the newest row of each (station, path); with after, only
    // those stored after the row of that id, which replace the entries of the same files.
    QList<LibraryEntry> CurrentEntries(qint64 after = 0);

    // The SHA-256 of the current entry of each of the station's files, by path.
    QHash<QString, QString> CurrentHashes(const QString& station);

private:
    QSqlDatabase& Database();
    // Runs work on the open database; on failure closes it and throws.
    template <class Work> auto Use(Work&& work);

    LibrarySettings settings_;
    QString connectionName_;
    QSqlDatabase database_;
};

// Delivers the rows waiting in the queue to the library, in their order, and removes them from
// the queue once stored, with the lines that were not rows. Waits while another program delivers
// the same queue. Throws LibraryError when the library cannot store them (they stay queued) and
// FileError when the queue cannot be read or shortened.
struct Delivery
{
    int rows = 0;
    int unreadable = 0; // lines dropped that were not rows
};
Delivery DeliverQueue(LibraryQueue& queue, LibraryStore& store);
