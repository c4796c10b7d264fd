#include "serial/serialerrorlog.h"

#include "program/logwriter.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>
#include <utility>

namespace SerialErrorLog {
namespace {

const QString LogPath = QStringLiteral("errors/serial.errors.txt");

struct Run
{
    QString operation;
    QString message;
    QString logPath; // the log its first line went to, whatever the current directory is later
    qint64 repeats = 0;
};

// The failure logged last, as long as nothing else has happened since.
std::optional<Run> LastFailure;

void Write(const QString& path, const QString& prefix, const QString& message)
{
    WriteLogLine(path, prefix, message, QStringLiteral("Y"), LogMode::Append);
}

// A run still going when the program ends gets its count too.
void CountRunAtExit()
{
    static bool registered = false;
    if (!std::exchange(registered, true))
        qAddPostRoutine(EndRun);
}

} // namespace

void Failure(const QString& operation, const QString& message)
{
    if (LastFailure && LastFailure->operation == operation && LastFailure->message == message) {
        CountRunAtExit();
        ++LastFailure->repeats;
        return;
    }
    EndRun();
    Write(LogPath, QStringLiteral("SerialComm::%1 caught error: ").arg(operation), message);
    LastFailure = Run{operation, message, QFileInfo(LogPath).absoluteFilePath()};
}

void Note(const QString& prefix, const QString& message)
{
    EndRun();
    Write(LogPath, prefix, message);
}

void EndRun()
{
    const std::optional<Run> run = std::exchange(LastFailure, std::nullopt);
    if (!run || run->repeats == 0)
        return;
    // The count must not turn an operation that worked into a failure: a log that cannot take it
    // fails again, and says so, with the next failure logged there.
    try {
        Write(run->logPath,
              QStringLiteral("SerialComm::%1 caught the same error %2 more %3: ")
                  .arg(run->operation)
                  .arg(run->repeats)
                  .arg(run->repeats == 1 ? QStringLiteral("time") : QStringLiteral("times")),
              run->message);
    } catch (int) {
    }
}

} // namespace SerialErrorLog
