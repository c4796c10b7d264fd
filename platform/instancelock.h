#pragma once

#include <QLockFile>
#include <QString>

// A per-user lock named after a window title. The first process to hold it is the running
// instance; a second one finds it taken. The lock is released when the object goes, and a lock
// left by a crashed process is taken over.
class InstanceLock
{
public:
    enum class Outcome
    {
        Held,          // this process holds the lock now
        HeldByAnother, // a running process holds it
        Failed         // the lock file cannot be made at all: nothing is known of other instances
    };

    explicit InstanceLock(const QString& title);

    Outcome TryHold();
    // Why the last TryHold failed, for the operator: the lock file and the reason.
    QString FailureText() const;

    // The lock file of a title: in the user's runtime directory, else in the temporary one.
    static QString PathFor(const QString& title);

private:
    QLockFile file_;
};
