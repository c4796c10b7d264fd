#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>

// Running SQL on the library: every failure throws LibraryError with the database's own reason.

// A statement made ready to run with values bound by position.
QSqlQuery Prepare(QSqlDatabase& database, const QString& statement);
// Runs a prepared statement with the values bound.
void Run(QSqlQuery& query);
// Prepares, binds and runs in one: the query, positioned before its first row.
QSqlQuery Execute(QSqlDatabase& database, const QString& statement,
                  const QVariantList& values = {});

// A transaction that writes: on SQLite it takes the file's write lock at once (BEGIN IMMEDIATE),
// so that two programs writing at the same time wait for each other instead of failing half way.
// Rolled back unless committed.
class WriteTransaction
{
public:
    explicit WriteTransaction(QSqlDatabase& database);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void Commit();

private:
    QSqlDatabase& database_;
    bool open_ = true;
};
