#include "library/librarystore.h"

#include "library/libraryqueue.h"
#include "library/libraryschema.h"
#include "library/sqlstatement.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonValue>
#include <QLockFile>
#include <QSqlError>
#include <QVariant>

namespace {

// How long a server may take to answer a connection before the library counts as offline.
constexpr int ConnectSeconds = 5;
// How long SQLite waits for another program's write to end.
constexpr int BusyMilliseconds = 30000;

QString InsertStatement()
{
    QStringList values;
    for (const QString& column : EntryColumns()) {
        values.append(column == QLatin1String("finished")
                          ? QStringLiteral("COALESCE((SELECT min(finished) FROM tests WHERE "
                                           "sha256 = :content), :finished)")
                          : QLatin1Char(':') + column);
    }
    return QStringLiteral("INSERT INTO tests (%1) VALUES (%2) ON CONFLICT (uuid) DO NOTHING")
        .arg(EntryColumns().join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
}

QVariant BindingOf(const QJsonValue& value)
{
    if (value.isDouble())
        return value.toDouble();
    if (value.isString())
        return value.toString();
    return QVariant(QMetaType::fromType<double>()); // a result not computed
}

} // namespace

LibraryStore::LibraryStore(const LibrarySettings& settings, const QString& connectionName)
    : settings_(settings), connectionName_(connectionName)
{
}

LibraryStore::~LibraryStore()
{
    database_.close();
    database_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase& LibraryStore::Database()
{
    if (database_.isOpen())
        return database_;
    if (!database_.isValid()) {
        if (!QSqlDatabase::isDriverAvailable(settings_.driver))
            throw LibraryError(
                QStringLiteral("The database driver %1 is not installed.").arg(settings_.driver));
        database_ = QSqlDatabase::addDatabase(settings_.driver, connectionName_);
        database_.setDatabaseName(settings_.database);
        database_.setHostName(settings_.host);
        if (settings_.port > 0)
            database_.setPort(settings_.port);
        database_.setUserName(settings_.user);
        database_.setConnectOptions(
            settings_.IsServer() ? QStringLiteral("connect_timeout=%1").arg(ConnectSeconds)
                                 : QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyMilliseconds));
        if (!settings_.IsServer())
            QDir().mkpath(QFileInfo(settings_.database).absolutePath());
    }
    if (!database_.open())
        throw LibraryError(
            QStringLiteral("Cannot open the test library (%1): %2")
                .arg(settings_.Description(), database_.lastError().text().trimmed()));
    try {
        if (!settings_.IsServer())
            Execute(database_, QStringLiteral("PRAGMA journal_mode=WAL"));
        UpgradeLibrarySchema(database_);
    } catch (...) {
        database_.close();
        throw;
    }
    return database_;
}

template <class Work> auto LibraryStore::Use(Work&& work)
{
    try {
        return work(Database());
    } catch (const LibraryError&) {
        database_.close();
        throw;
    }
}

void LibraryStore::Insert(const QList<QJsonObject>& rows)
{
    Use([&rows](QSqlDatabase& database) {
        WriteTransaction transaction(database);
        QSqlQuery insert = Prepare(database, InsertStatement());
        for (const QJsonObject& row : rows) {
            for (const QString& column : EntryColumns())
                insert.bindValue(QLatin1Char(':') + column, BindingOf(row.value(column)));
            insert.bindValue(QStringLiteral(":content"),
                             row.value(QLatin1String("sha256")).toString());
            Run(insert);
        }
        transaction.Commit();
    });
}

QList<LibraryEntry> LibraryStore::CurrentEntries(qint64 after)
{
    return Use([after](QSqlDatabase& database) {
        QSqlQuery query = Execute(database,
                                  QStringLiteral("SELECT %1, id FROM current_tests WHERE id > ?")
                                      .arg(EntryColumns().join(QStringLiteral(", "))),
                                  {after});
        QList<LibraryEntry> entries;
        while (query.next())
            entries.append(EntryFromQuery(query));
        return entries;
    });
}

QHash<QString, QString> LibraryStore::CurrentHashes(const QString& station)
{
    return Use([&station](QSqlDatabase& database) {
        QSqlQuery query = Execute(
            database, QStringLiteral("SELECT path, sha256 FROM current_tests WHERE station = ?"),
            {station});
        QHash<QString, QString> hashes;
        while (query.next())
            hashes.insert(query.value(0).toString(), query.value(1).toString());
        return hashes;
    });
}

Delivery DeliverQueue(LibraryQueue& queue, LibraryStore& store)
{
    QLockFile delivering(queue.DeliveryLockPath());
    delivering.setStaleLockTime(
        0); // a delivery may wait long on a server; only a dead one is stale
    if (!delivering.lock())
        throw FileError(QStringLiteral("Cannot lock \"%1\".")
                            .arg(QDir::toNativeSeparators(delivering.fileName())));
    const LibraryQueue::Waiting waiting = queue.Read();
    if (!waiting.rows.isEmpty())
        store.Insert(waiting.rows);
    if (waiting.bytes > 0)
        queue.Remove(waiting.bytes);
    return {static_cast<int>(waiting.rows.size()), waiting.unreadable};
}
