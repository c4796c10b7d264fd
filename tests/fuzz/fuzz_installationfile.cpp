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

// The count a trailer line of the install log gives after its caption.
int TrailerCount(const QByteArray& line, const QByteArray& caption)
{
    bool number = false;
    const int count = line.mid(caption.size()).toInt(&number);
    FuzzCheck(line.startsWith(caption) && number, "the install log ends with its counts");
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

    // The file by its own reading of the format: a header that need not end in a line end, then
    // lines each ended by LF or CR LF; what follows the last line end is no line.
    QList<QByteArray> lines = bytes.split('\n');
    const QByteArray header = lines.takeFirst();
    const bool headerLogged = !(lines.isEmpty() ? header : WithoutCarriageReturn(header)).isEmpty();
    if (!lines.isEmpty())
        lines.removeLast();
    int expectedComments = 0;
    for (const QByteArray& ended : lines) {
        const QByteArray line = WithoutCarriageReturn(ended);
        if (line.size() <= LongestInstallationLine && (line.isEmpty() || line.startsWith('\'')))
            ++expectedComments;
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

    FuzzCheck(total == lines.size(), "every ended line after the header is counted");
    FuzzCheck(comments == expectedComments, "empty and apostrophe lines are comments");
    FuzzCheck(processed >= 0 && processed + errors + comments == total, "the counts add up");
    FuzzCheck(raised == errors, "the reader raises the number of bad lines");
    // Between the header and the trailer: a line per bad line, then three closing lines.
    const int first = headerLogged ? 1 : 0;
    const QList<QByteArray> errorLines = log.mid(first, log.size() - 3 - first);
    FuzzCheck(errorLines.size() == errors, "each bad line has one line in the install log");
    for (const QByteArray& line : errorLines)
        FuzzCheck(line.startsWith("Line #"), "a bad line's log line names its number");
    return 0;
}
