#include "platform/instancelock.h"

#include <QDir>
#include <QStandardPaths>

InstanceLock::InstanceLock(const QString& title) : file_(PathFor(title))
{
    file_.setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
}

InstanceLock::Outcome InstanceLock::TryHold()
{
    if (file_.isLocked() || file_.tryLock(0))
        return Outcome::Held;
    return file_.error() == QLockFile::LockFailedError ? Outcome::HeldByAnother : Outcome::Failed;
}

QString InstanceLock::FailureText() const
{
    const QString reason = file_.error() == QLockFile::PermissionError
                               ? QStringLiteral("no permission to write there")
                               : QStringLiteral("its folder is missing or cannot hold files");
    return QStringLiteral("The lock that keeps a second copy of the program from running cannot "
                          "be made:\n%1\n(%2).\n\nThe program starts without that check.")
        .arg(QDir::toNativeSeparators(file_.fileName()), reason);
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
