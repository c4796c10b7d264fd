#pragma once

#include <QString>

// Where the test library lives. By default a SQLite file, library.db, in the start directory; a
// library.ini there chooses another file or a PostgreSQL server that a lab's stations share:
//
//     [Library]
//     Driver=QPSQL
//     Host=lab-server          ; or a socket folder
//     Port=5432
//     Database=qor
//     User=qor
//
// The program never stores a password: libpq finds it in ~/.pgpass or PGPASSWORD.
struct LibrarySettings
{
    QString driver = QStringLiteral("QSQLITE"); // QSQLITE or QPSQL
    QString host;
    int port = 0;     // the driver's own default when 0
    QString database; // SQLite: the file, absolute
    QString user;

    bool IsServer() const { return driver == QLatin1String("QPSQL"); }
    // "library.db in /home/op/QOR1000" or "qor on lab-server", for the operator's messages.
    QString Description() const;
};

// The settings of the start directory: library.ini's, or library.db there. A driver other than the
// two above is kept as it is named, so that opening the library says what is wrong.
LibrarySettings ReadLibrarySettings(const QString& startDirectory);
