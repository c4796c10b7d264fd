#include "library/sqlstatement.h"

#include "library/libraryschema.h"

#include <QSqlError>

namespace {

LibraryError Failure(const QSqlError& error)
{
    const QString reason = error.text().trimmed();
    return LibraryError(reason.isEmpty() ? QStringLiteral("The test library did not answer.")
                                         : reason);
}

} // namespace

QSqlQuery Prepare(QSqlDatabase& database, const QString& statement)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throw Failure(query.lastError());
    return query;
}

void Run(QSqlQuery& query)
{
    if (!query.exec())
        throw Failure(query.lastError());
}

QSqlQuery Execute(QSqlDatabase& database, const QString& statement, const QVariantList& values)
{
    if (values.isEmpty()) { // PostgreSQL prepares only queries, never BEGIN or CREATE
        QSqlQuery query(database);
        query.setForwardOnly(true);
        if (!query.exec(statement))
            throw Failure(query.lastError());
        return query;
    }
    QSqlQuery query = Prepare(database, statement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    Run(query);
    return query;
}

WriteTransaction::WriteTransaction(QSqlDatabase& database) : database_(database)
{
    Execute(database_, database_.driverName() == QLatin1String("QSQLITE")
                           ? QStringLiteral("BEGIN IMMEDIATE")
                           : QStringLiteral("BEGIN"));
}

WriteTransaction::~WriteTransaction()
{
    if (open_)
        QSqlQuery(QStringLiteral("ROLLBACK"), database_);
}

void WriteTransaction::Commit()
{
    Execute(database_, QStringLiteral("COMMIT"));
    open_ = false;
}
