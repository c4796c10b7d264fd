#include "library/libraryschema.h"

#include "library/sqlstatement.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// The server-wide lock that the upgrade holds, a number of the program's own.
constexpr qint64 LockKey = 0x514F52; // "QOR"

// Each step brings the tables from the version before it to its own. A step, once released,
// never changes: a later change is a new step.
const QList<QStringList> UpgradeSteps{
    // 1: the tests, their current entries, and lookups by file and by content.
    {QStringLiteral("CREATE TABLE tests ("
                    "id %IDENTITY%, "
                    "uuid TEXT NOT NULL UNIQUE, "
                    "path TEXT NOT NULL, "
                    "title TEXT NOT NULL, "
                    "finished TEXT NOT NULL, "
                    "station TEXT NOT NULL, "
                    "operator TEXT NOT NULL, "
                    "lot TEXT NOT NULL, "
                    "units TEXT NOT NULL, "
                    "method TEXT NOT NULL, "
                    "maximum_force DOUBLE PRECISION, "
                    "displacement_at_maximum DOUBLE PRECISION, "
                    "break_force DOUBLE PRECISION, "
                    "break_displacement DOUBLE PRECISION, "
                    "force_at_displacement DOUBLE PRECISION, "
                    "displacement_at_force DOUBLE PRECISION, "
                    "stiffness DOUBLE PRECISION, "
                    "energy DOUBLE PRECISION, "
                    "average_force DOUBLE PRECISION, "
                    "verdict TEXT NOT NULL, "
                    "sha256 TEXT NOT NULL, "
                    "saved TEXT NOT NULL)"),
     QStringLiteral("CREATE INDEX tests_file ON tests (station, path, id)"),
     QStringLiteral("CREATE INDEX tests_content ON tests (sha256, finished)"),
     QStringLiteral("CREATE VIEW current_tests AS SELECT * FROM tests WHERE id IN "
                    "(SELECT max(id) FROM tests GROUP BY station, path)")},
};

QString ForDriver(const QSqlDatabase& database, QString statement)
{
    const bool server = database.driverName() == QLatin1String("QPSQL");
    return statement.replace(QStringLiteral("%IDENTITY%"),
                             server
                                 ? QStringLiteral("BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY")
                                 : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"));
}

int StoredVersion(QSqlDatabase& database)
{
    if (!database.tables().contains(QStringLiteral("library_schema")))
        Execute(database, QStringLiteral("CREATE TABLE library_schema (version INTEGER NOT NULL)"));
    QSqlQuery query = Execute(database, QStringLiteral("SELECT version FROM library_schema"));
    if (query.next())
        return query.value(0).toInt();
    Execute(database, QStringLiteral("INSERT INTO library_schema (version) VALUES (0)"));
    return 0;
}

} // namespace

int LibrarySchemaVersion()
{
    return static_cast<int>(UpgradeSteps.size());
}

void UpgradeLibrarySchema(QSqlDatabase& database)
{
    WriteTransaction transaction(database);
    // Stations that open a new server's library at the same moment make its tables one after the
    // other: the second finds them made.
    if (database.driverName() == QLatin1String("QPSQL"))
        Execute(database, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(LockKey));
    const int version = StoredVersion(database);
    if (version > LibrarySchemaVersion()) {
        throw LibraryError(QStringLiteral("The test library is of version %1, made by a newer "
                                          "program; this one knows versions up to %2.")
                               .arg(version)
                               .arg(LibrarySchemaVersion()));
    }
    if (version == LibrarySchemaVersion())
        return transaction.Commit();
    for (int step = version; step < LibrarySchemaVersion(); ++step) {
        for (const QString& statement : UpgradeSteps[step])
            Execute(database, ForDriver(database, statement));
    }
    Execute(database, QStringLiteral("UPDATE library_schema SET version = ?"),
            {LibrarySchemaVersion()});
    transaction.Commit();
}
