#include "library/librarydelivery.h"

#include "library/libraryschema.h"
#include "library/librarystore.h"
#include "program/logwriter.h"

#include <QTimer>

LibraryDelivery::LibraryDelivery(const LibrarySettings& settings, const QString& queuePath)
    : settings_(settings), queue_(queuePath), retry_(new QTimer(this))
{
    retry_->setInterval(RetrySeconds * 1000);
    retry_->setSingleShot(true);
    connect(retry_, &QTimer::timeout, this, &LibraryDelivery::Deliver);
}

LibraryDelivery::~LibraryDelivery() = default;

void LibraryDelivery::Deliver()
{
    if (!store_)
        store_ = std::make_unique<LibraryStore>(settings_, QStringLiteral("qor-library-delivery"));
    try {
        const Delivery delivery = DeliverQueue(queue_, *store_);
        if (delivery.unreadable > 0)
            LogLibraryEvent(QStringLiteral("%1 line(s) of %2 were not rows and were dropped")
                                .arg(delivery.unreadable)
                                .arg(queue_.Path()));
        if (offline_) {
            offline_ = false;
            LogLibraryEvent(QStringLiteral("%1 can be reached again").arg(settings_.Description()));
            emit Online(delivery.rows);
        }
        if (delivery.rows > 0)
            emit Delivered(delivery.rows);
    } catch (const ProgramError& error) {
        if (!offline_) {
            offline_ = true;
            LogLibraryEvent(QStringLiteral("offline, saved tests wait in the queue: ") +
                            error.Message());
            emit Offline(error.Message());
        }
        retry_->start();
    }
}

void LogLibraryEvent(const QString& message)
{
    try {
        WriteLogLine(QStringLiteral("errors/library.errors.txt"), QStringLiteral("Test library: "),
                     message, QStringLiteral("Y"), LogMode::Append);
    } catch (int) {
    }
}
