#include "platform/instancelock.h"

#include <QDir>
#include <QStandardPaths>

InstanceLock::InstanceLock(const QString& title) : file_(PathFor(title))
{
    file_.setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
}

bool InstanceLock::TryHold()
{
    return file_.isLocked() || file_.tryLock(0);
}

QString InstanceLock::PathFor(const QString& title)
{
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString name = title + QStringLiteral(".lock");
    if (directory.isEmpty()) {
        directory = QDir::tempPath();
        name = qEnvironmentVariable("USER", QStringLiteral("user")) + QLatin1Char('-') + name;
    }
    return QDir(directory).filePath(name);
}
