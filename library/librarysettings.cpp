#include "library/librarysettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

QString LibrarySettings::Description() const
{
    if (!IsServer()) {
        const QFileInfo file(database);
        return QStringLiteral("%1 in %2")
            .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()));
    }
    return QStringLiteral("%1 on %2")
        .arg(database, host.isEmpty() ? QStringLiteral("localhost") : host);
}

LibrarySettings ReadLibrarySettings(const QString& startDirectory)
{
    const QDir start(startDirectory);
    QSettings ini(start.filePath(QStringLiteral("library.ini")), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Library"));
    LibrarySettings settings;
    settings.driver = ini.value(QStringLiteral("Driver"), settings.driver).toString().trimmed();
    settings.host = ini.value(QStringLiteral("Host")).toString().trimmed();
    settings.port = ini.value(QStringLiteral("Port"), 0).toInt();
    settings.user = ini.value(QStringLiteral("User")).toString().trimmed();
    const QString database = ini.value(QStringLiteral("Database")).toString().trimmed();
    if (settings.IsServer())
        settings.database = database;
    else
        settings.database =
            start.absoluteFilePath(database.isEmpty() ? QStringLiteral("library.db") : database);
    return settings;
}
