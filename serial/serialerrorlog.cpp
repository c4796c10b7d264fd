#include "serial/serialerrorlog.h"

#include "config/logwriter.h"

#include <optional>
#include <utility>

namespace SerialErrorLog {
namespace {

const QString LogPath = QStringLiteral("errors/serial.errors.txt");

struct Run
{
    QString operation;
    QString message;
    qint64 repeats = 0;
};

// The failure logged last, as long as nothing else has happened since.
std::optional<Run> LastFailure;

void Write(const QString& prefix, const QString& message)
{
    WriteLogLine(LogPath, prefix, message, QStringLiteral("Y"), LogMode::Append);
}

} // namespace

void Failure(const QString& operation, const QString& message)
{
    if (LastFailure && LastFailure->operation == operation && LastFailure->message == message) {
        ++LastFailure->repeats;
        return;
    }
    EndRun();
    Write(QStringLiteral("SerialComm::%1 caught error: ").arg(operation), message);
    LastFailure = Run{operation, message};
}

void Note(const QString& prefix, const QString& message)
{
    EndRun();
    Write(prefix, message);
}

void EndRun()
{
    const std::optional<Run> run = std::exchange(LastFailure, std::nullopt);
    if (run && run->repeats > 0)
        Write(QStringLiteral("SerialComm::%1 caught the same error %2 more times: ")
                  .arg(run->operation)
                  .arg(run->repeats),
              run->message);
}

} // namespace SerialErrorLog
