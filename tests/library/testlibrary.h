#pragma once

#include "library/librarysettings.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

// The library the tests of this folder run against. By default SQLite: library.db in the start
// directory. With QOR_TEST_LIBRARY=QPSQL (the tests labelled "postgres"), a new database on the
// server that ./test.sh starts, whose socket folder is QOR_TEST_PGHOST and whose pg_ctl, run as
// the server's owner, is QOR_TEST_PGCTL.
namespace TestLibrary {

inline bool OnServer()
{
    return qgetenv("QOR_TEST_LIBRARY") == "QPSQL";
}

inline QString ServerFolder()
{
    return qEnvironmentVariable("QOR_TEST_PGHOST");
}

// Runs SQL on the server's maintenance database; the error, or empty.
inline QString Administer(const QStringList& statements)
{
    QString error;
    {
        QSqlDatabase server = QSqlDatabase::addDatabase("QPSQL", "administer");
        server.setHostName(ServerFolder());
        server.setUserName("qor");
        server.setDatabaseName("postgres");
        if (!server.open())
            error = server.lastError().text();
        for (const QString& statement : statements) {
            QSqlQuery query(server);
            if (error.isEmpty() && !query.exec(statement))
                error = query.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase("administer");
    return error;
}

// Points another start directory at the same server database.
inline void Share(const QString& startDirectory, const QString& database)
{
    const QString name = database.toLower(); // as the server keeps a name without quotes
    if (!OnServer())
        return;
    QFile ini(QDir(startDirectory).filePath("library.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(QString("[Library]\nDriver=QPSQL\nHost=%1\nDatabase=%2\nUser=qor\n")
                  .arg(ServerFolder(), name)
                  .toUtf8());
}

// Makes a new, empty library for the start directory: on the server a new database of that name
// and library.ini naming it. The start directory's settings; fails the test when there is no
// server.
inline LibrarySettings Make(const QString& startDirectory, const QString& database)
{
    const QString name = database.toLower();
    if (OnServer()) {
        [&] {
            QVERIFY2(!ServerFolder().isEmpty(), "QOR_TEST_PGHOST is not set: run ./test.sh");
            const QString error = Administer({QString("DROP DATABASE IF EXISTS %1").arg(name),
                                              QString("CREATE DATABASE %1").arg(name)});
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }();
        Share(startDirectory, name);
    }
    return ReadLibrarySettings(startDirectory);
}

// Stops or starts the server ("stop", "start"); false when pg_ctl failed.
inline bool Control(const QString& action)
{
    QStringList arguments{action};
    if (action == "stop")
        arguments << "-m"
                  << "fast";
    QProcess pgCtl;
    pgCtl.setStandardOutputFile(QProcess::nullDevice());
    pgCtl.start(qEnvironmentVariable("QOR_TEST_PGCTL"), arguments);
    return pgCtl.waitForFinished(60000) && pgCtl.exitCode() == 0;
}

} // namespace TestLibrary
