// Bytes from the machine as the control panel takes them: made into lines by
// SerialComm::PortReceiveCR, each line classified and a data record decoded.
#include "fuzzsupport.h"

#include "platform/errors.h"
#include "protocol/protocol.h"
#include "serial/serialcomm.h"

#include <QFile>

namespace {

FuzzSerialLibrary machine;
const QString Port = QStringLiteral("COM1");

// The lines the bytes hold: each run ended by a carriage return, unless it grew to the longest
// line kept before its carriage return came.
QList<QByteArray> ExpectedLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    QList<QByteArray> runs = bytes.split('\r');
    runs.removeLast(); // not ended
    for (const QByteArray& run : runs) {
        if (run.size() < SerialComm::LongestPendingLine)
            lines.append(run + '\r');
    }
    return lines;
}

void CheckLine(const QByteArray& line)
{
    const ReplyKind kind = ClassifyReply(line);
    const std::optional<QString> status = ReplyStatusText(line);
    if (kind == ReplyKind::Acknowledge)
        FuzzCheck(line == "\r" && !status, "a lone carriage return is an acknowledgement");
    if (kind == ReplyKind::VersionReply)
        FuzzCheck(status == QString::fromLatin1(line), "a version reply shows the whole line");
    if (kind != ReplyKind::DataRecord)
        return;
    FuzzCheck(line.size() == 10 && line[4] == ',', "a data record is dddd,ffff CR");
    FuzzCheck(status == QStringLiteral("Receiving Test Data"), "a record's status");
    try {
        const RecordCounts counts = ReadRecordCounts(QString::fromLatin1(line));
        FuzzCheck(counts.displacement >= 0 && counts.displacement <= 9999,
                  "a displacement count lies within 0 to 9999");
        FuzzCheck(counts.force >= 0 && counts.force <= 9999, "a force count lies within 0 to 9999");
        const DecodedRecord metric = DecodeDataRecord(line, 0.00254, 0.4535924);
        FuzzCheck(metric.displacement == counts.displacement * 0.00254 &&
                      metric.force == counts.force * 0.4535924,
                  "decoding multiplies the counts by the factors");
    } catch (const ConversionError&) {
        // A field that is not a number: the panel reports it.
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterScratchStartDirectory();
    InstallSerialLibrary(&machine);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    QFile::remove(QStringLiteral("errors/serial.errors.txt")); // would grow with every input
    machine.Arrive(bytes);

    QList<QByteArray> lines;
    QByteArray line;
    while (!machine.AllRead()) {
        const int length = SerialComm::PortReceiveCR(Port, line);
        if (length == 0)
            continue; // the end of a dropped line
        FuzzCheck(length == line.size(), "the length returned is the line's");
        FuzzCheck(line.indexOf('\r') == line.size() - 1, "a line ends at its carriage return");
        CheckLine(line);
        lines.append(line);
    }
    FuzzCheck(SerialComm::PortReceiveCR(Port, line) == 0, "no line without new bytes");
    FuzzCheck(lines == ExpectedLines(bytes), "every line comes out whole and in order");
    SerialComm::PortClose(Port); // the next input starts without this one's half line
    return 0;
}
