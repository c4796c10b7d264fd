#pragma once

#include <QLockFile>
#include <QString>

// A per-user lock named after a window title. The first process to hold it is the running
// instance; a second one finds it taken. The lock is released when the object goes, and a lock
// left by a crashed process is taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString& title);

    // True when this process holds the lock now; false when another process holds it.
    bool TryHold();

    // The lock file of a title: in the user's runtime directory, else in the temporary one.
    static QString PathFor(const QString& title);

private:
    QLockFile file_;
};
