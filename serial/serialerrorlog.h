#pragma once

#include <QString>

// errors/serial.errors.txt, where the serial layer logs what went wrong. A failure identical to
// the one logged just before it (a vanished port fails every poll) is counted instead of written;
// the count goes into one line when the run of repeats ends, so the log grows with what changes on
// the line, not with the time a fault lasts.
namespace SerialErrorLog {

// "<stamp>, SerialComm::<operation> caught error: <message>", or counted when it repeats the
// failure logged last.
void Failure(const QString& operation, const QString& message);

// "<stamp>, <prefix><message>", after the count of any run of repeated failures.
void Note(const QString& prefix, const QString& message);

// An operation succeeded: a run of repeated failures is over, and its count is written, into the
// log that holds the run's first line, as
// "<stamp>, SerialComm::<operation> caught the same error <n> more times: <message>" ("time"
// for one).
// A run still going when the program ends is counted then. Never throws: a count the log cannot
// take is dropped, and the next failure logged there raises the log's own error to its caller.
void EndRun();

} // namespace SerialErrorLog
