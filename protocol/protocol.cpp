#include "protocol/protocol.h"

#include "platform/numbertext.h"

#include <algorithm>

namespace {

constexpr int RecordLength = 10; // "dddd,ffff" and the carriage return
constexpr int FieldWidth = 4;
constexpr int ForceFieldStart = 5;
constexpr int LargestCount = 9999;

std::optional<QString> OneLetterStatusText(char code)
{
    switch (code) {
    case 'D':
        return QStringLiteral("QOR starting Test");
    case 'C':
        return QStringLiteral("Continuous Mode set");
    case 'H':
        return QStringLiteral("QOR at Home");
    case 'I':
        return QStringLiteral("Increment Mode set");
    case 'S':
        return QStringLiteral("QOR is Stopped");
    case 'U':
        return QStringLiteral("QOR moving Home");
    default:
        return std::nullopt;
    }
}

std::optional<QString> TwoLetterStatusText(char code)
{
    switch (code) {
    case 'L':
        return QStringLiteral("Test Aborted at Bottom Limit");
    case 'M':
        return QStringLiteral("Test Aborted at Maximum Force");
    case 'S':
        return QStringLiteral("QOR is Stopped");
    case 'T':
        return QStringLiteral("Test Complete");
    case 'U':
        return QStringLiteral("QOR moving Home");
    default:
        return std::nullopt;
    }
}

// Four digits, as the machine sends them, are read in place; any other field goes through
// StrToInt, which raises the conversion error naming the field.
int CountField(QStringView record, int start)
{
    const QStringView field = record.mid(start, FieldWidth);
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (field.size() < FieldWidth || !std::all_of(field.begin(), field.end(), isDigit))
        return StrToInt(field.toString());
    int count = 0;
    for (const QChar digit : field)
        count = count * 10 + (digit.unicode() - u'0');
    return count;
}

} // namespace

ReplyKind ClassifyReply(const QByteArray& line)
{
    switch (line.size()) {
    case 1:
        return ReplyKind::Acknowledge;
    case 2:
        return ReplyKind::OneLetterStatus;
    case 3:
        return ReplyKind::TwoLetterStatus;
    case 5:
        return line[0] == 'V' ? ReplyKind::VersionReply : ReplyKind::Other;
    case RecordLength:
        return line[4] == ',' && line[9] == CarriageReturn ? ReplyKind::DataRecord
                                                           : ReplyKind::Other;
    default:
        return ReplyKind::Other;
    }
}

std::optional<QString> ReplyStatusText(const QByteArray& line)
{
    switch (ClassifyReply(line)) {
    case ReplyKind::OneLetterStatus:
        return OneLetterStatusText(line[0]);
    case ReplyKind::TwoLetterStatus:
        return TwoLetterStatusText(line[1]);
    case ReplyKind::VersionReply:
        return QString::fromLatin1(line);
    case ReplyKind::DataRecord:
        return QStringLiteral("Receiving Test Data");
    case ReplyKind::Acknowledge:
    case ReplyKind::Other:
        break;
    }
    return std::nullopt;
}

RecordCounts ReadRecordCounts(QStringView record)
{
    const int displacement = CountField(record, 0);
    return {displacement, CountField(record, ForceFieldStart)};
}

DecodedRecord DecodeDataRecord(const QByteArray& record, double displacementFactor,
                               double forceFactor)
{
    const RecordCounts counts = ReadRecordCounts(QString::fromLatin1(record));
    DecodedRecord decoded;
    decoded.displacement = counts.displacement * displacementFactor;
    decoded.force = counts.force * forceFactor;
    decoded.displacementText = FormatFloat(QStringLiteral("0.000"), decoded.displacement);
    decoded.forceText = FormatFloat(QStringLiteral("0"), decoded.force);
    return decoded;
}

QByteArray EncodeDataRecord(int displacementCount, int forceCount)
{
    Q_ASSERT(displacementCount >= 0 && displacementCount <= LargestCount);
    Q_ASSERT(forceCount >= 0 && forceCount <= LargestCount);
    return QByteArray::number(displacementCount).rightJustified(FieldWidth, '0') + ',' +
           QByteArray::number(forceCount).rightJustified(FieldWidth, '0');
}

QList<QByteArray> IncrementalSettingWrites(int force)
{
    return {QorCommand::IncrementalForce, QString::number(force, 'g', 3).toLatin1(),
            QByteArray(1, CarriageReturn), QorCommand::Incremental};
}
