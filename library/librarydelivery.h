#pragma once

#include "library/libraryqueue.h"
#include "library/librarysettings.h"

#include <QObject>

#include <memory>

class LibraryStore;
class QTimer;

// Takes the queue's rows to the library, away from the operator's thread: it lives in a thread of
// its own, so that a server that is slow or gone never holds up a save. After a failure it tries
// again every RetrySeconds while rows wait. Failures are logged in errors/library.errors.txt.
class LibraryDelivery : public QObject
{
    Q_OBJECT
public:
    static constexpr int RetrySeconds = 15;

    LibraryDelivery(const LibrarySettings& settings, const QString& queuePath);
    ~LibraryDelivery() override;

    // Delivers whatever waits; queued calls from other threads.
    void Deliver();

signals:
    // The first failure after deliveries went well, with the reason.
    void Offline(const QString& reason);
    // The first delivery after a failure, with the number of rows it delivered.
    void Online(int rows);
    // Rows were stored.
    void Delivered(int rows);

private:
    LibrarySettings settings_;
    LibraryQueue queue_;
    std::unique_ptr<LibraryStore>
        store_; // made in the delivering thread, which owns its connection
    QTimer* retry_;
    bool offline_ = false;
};

// Writes a line about the library to errors/library.errors.txt; a log that cannot be written is
// passed over, as the operator is told in the status bar all the same.
void LogLibraryEvent(const QString& message);
