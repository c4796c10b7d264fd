// The QOR.dat reader on any file: it never crashes or stalls, raises the number of bad lines it
// logged, and its counts agree with the lines the file holds.
#include "fuzzsupport.h"

#include "config/installationfile.h"

#include <QFile>

namespace {

QByteArray WithoutCarriageReturn(const QByteArray& line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

struct ExpectedCounts
{
    int lines = 0;
    int comments = 0;
    bool headerLogged = false;
};

// What the file holds, by its own reading of the format: a header line, then lines each ended by
// LF or CR LF; a last line without a line end does not count.
ExpectedCounts CountLines(const QByteArray& file)
{
    ExpectedCounts counts;
    QList<QByteArray> lines = file.split('\n');
    const QByteArray header = lines.takeFirst();
    if (lines.isEmpty()) { // no line end at all: the whole file is the header
        counts.headerLogged = !header.isEmpty();
        return counts;
    }
    counts.headerLogged = !WithoutCarriageReturn(header).isEmpty();
    lines.removeLast(); // what follows the last line end is no line
    for (const QByteArray& ended : lines) {
        const QByteArray line = WithoutCarriageReturn(ended);
        ++counts.lines;
        if (line.size() <= LongestInstallationLine && (line.isEmpty() || line.startsWith('\'')))
            ++counts.comments;
    }
    return counts;
}

int TrailerCount(const QByteArray& line, const QByteArray& prefix)
{
    FuzzCheck(line.startsWith(prefix), "the install log ends with its counts");
    bool number = false;
    const int count = line.mid(prefix.size()).toInt(&number);
    FuzzCheck(number, "each count is a number");
    return count;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterScratchStartDirectory();
    static FuzzSerialLibrary library; // every port opens: only the file decides
    InstallSerialLibrary(&library);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    WriteScratchFile(QStringLiteral("QOR.dat"), bytes);
    // The appended logs would otherwise grow with every input.
    QFile::remove(QStringLiteral("errors/startup.log.txt"));
    QFile::remove(QStringLiteral("errors/serial.errors.txt"));

    int raised = 0;
    try {
        ReadInstallationFile();
    } catch (int code) {
        raised = code;
    }

    QFile installLog(QStringLiteral("errors/install.errors.txt"));
    FuzzCheck(installLog.open(QIODevice::ReadOnly), "the install log exists");
    QList<QByteArray> log = installLog.readAll().split('\n');
    FuzzCheck(log.takeLast().isEmpty(), "the install log ends with a line end");
    for (QByteArray& line : log)
        line = WithoutCarriageReturn(line);
    FuzzCheck(log.size() >= 7, "the install log has its trailer");
    const int total = TrailerCount(log.takeLast(), "Total number of lines found   ");
    const int comments = TrailerCount(log.takeLast(), "Number of comment lines found ");
    const int processed = TrailerCount(log.takeLast(), "Number of lines processed     ");
    const int errors = TrailerCount(log.takeLast(), "Number of errors found        ");

    const ExpectedCounts expected = CountLines(bytes);
    FuzzCheck(total == expected.lines, "every ended line after the header is counted");
    FuzzCheck(comments == expected.comments, "empty and apostrophe lines are comments");
    FuzzCheck(processed >= 0 && processed + errors + comments == total, "the counts add up");
    FuzzCheck(raised == errors, "the reader raises the number of bad lines");
    const qsizetype errorLines = log.size() - 3 - (expected.headerLogged ? 1 : 0);
    FuzzCheck(errorLines == errors, "each bad line has one line in the install log");
    for (qsizetype index = log.size() - 3 - errorLines; index < log.size() - 3; ++index)
        FuzzCheck(log[index].startsWith("Line #"), "a bad line's log line names its number");
    return 0;
}
