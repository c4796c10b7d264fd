#include "recovery/recoveryformat.h"

#include <QByteArrayView>

#include <algorithm>
#include <cctype>
#include <zlib.h>

namespace {

const QByteArray Magic = "QOR1000 recovery ";
constexpr qsizetype CheckDigits = 8;
constexpr qsizetype LongestNumber = 10;

quint32 Crc(quint32 crc, QByteArrayView bytes)
{
    // zlib takes a null pointer, as an empty array may hold, for a request of the initial value.
    if (bytes.isEmpty())
        return crc;
    return crc32_z(crc, reinterpret_cast<const Bytef*>(bytes.data()), size_t(bytes.size()));
}

bool Latin1Holds(const QString& line)
{
    return std::ranges::all_of(line, [](QChar c) { return c.unicode() <= 0xff; });
}

// Reads records one after the other, each only once it is whole and checks out.
class RecordReader
{
public:
    RecordReader(const QByteArray& bytes, qsizetype at, quint32 check)
        : bytes_(bytes), at_(at), check_(check)
    {
    }

    struct Record
    {
        char change;
        qsizetype index;
        QString line;
    };

    std::optional<Record> Next()
    {
        const qsizetype start = at_;
        if (bytes_.size() - start < 3 || bytes_[start + 2] != ' ')
            return std::nullopt;
        const char change = bytes_[start];
        const char text = bytes_[start + 1];
        at_ = start + 3;
        const std::optional<qsizetype> index = Number(10, LongestNumber);
        const std::optional<qsizetype> length = Number(10, LongestNumber);
        const qsizetype prefixEnd = at_;
        const std::optional<qsizetype> check = Number(16, CheckDigits);
        if (!index || !length || !check || at_ - prefixEnd != CheckDigits + 1 ||
            bytes_.size() - at_ <= *length || bytes_[at_ + *length] != '\n')
            return std::nullopt;
        const QByteArrayView content(bytes_.constData() + at_, *length);
        const quint32 expected = Crc(
            Crc(check_, QByteArrayView(bytes_.constData() + start, prefixEnd - start)), content);
        if (expected != quint32(*check) || (text != 'L' && text != 'U'))
            return std::nullopt;
        check_ = expected;
        at_ += *length + 1;
        return Record{change, *index,
                      text == 'L' ? QString::fromLatin1(content) : QString::fromUtf8(content)};
    }

private:
    // A number of at most maxDigits digits ended by a space, which is passed.
    std::optional<qsizetype> Number(int base, qsizetype maxDigits)
    {
        const qsizetype end = bytes_.indexOf(' ', at_);
        if (end <= at_ || end - at_ > maxDigits)
            return std::nullopt;
        const QByteArrayView digits(bytes_.constData() + at_, end - at_);
        const auto isDigit = [base](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) ||
                   (base == 16 && c >= 'a' && c <= 'f');
        };
        if (!std::ranges::all_of(digits, isDigit))
            return std::nullopt;
        at_ = end + 1;
        return digits.toLongLong(nullptr, base);
    }

    const QByteArray& bytes_;
    qsizetype at_;
    quint32 check_;
};

} // namespace

RecoveryRecords::RecoveryRecords(const QByteArray& header) : check_(Crc(0, header)) {}

QByteArray RecoveryRecords::Append(qsizetype index, const QString& line)
{
    return Record('+', index, line);
}

QByteArray RecoveryRecords::Replace(qsizetype index, const QString& line)
{
    return Record('=', index, line);
}

QByteArray RecoveryRecords::HandedOver()
{
    return Record('!', 0, QString());
}

QByteArray RecoveryRecords::Record(char change, qsizetype index, const QString& line)
{
    const bool latin1 = Latin1Holds(line);
    const QByteArray bytes = latin1 ? line.toLatin1() : line.toUtf8();
    QByteArray record;
    record.reserve(32 + bytes.size());
    record.append(change).append(latin1 ? 'L' : 'U').append(' ');
    record.append(QByteArray::number(index)).append(' ');
    record.append(QByteArray::number(bytes.size())).append(' ');
    check_ = Crc(Crc(check_, record), bytes);
    record.append(QByteArray::number(check_, 16).rightJustified(CheckDigits, '0')).append(' ');
    record.append(bytes).append('\n');
    return record;
}

QByteArray RecoveryHeader(const QDateTime& begun)
{
    return Magic + begun.toString(Qt::ISODateWithMs).toLatin1() + '\n';
}

QByteArray RecoveryFileHolding(const QDateTime& begun, const QStringList& lines)
{
    QByteArray bytes = RecoveryHeader(begun);
    RecoveryRecords records(bytes);
    for (qsizetype index = 0; index < lines.size(); ++index)
        bytes += records.Append(index, lines[index]);
    return bytes + records.HandedOver();
}

std::optional<RecoveredTest> ReadRecoveryBytes(const QByteArray& bytes)
{
    const qsizetype headerEnd = bytes.indexOf('\n');
    if (headerEnd < 0 || !bytes.startsWith(Magic))
        return std::nullopt;
    RecoveredTest test;
    test.begun = QDateTime::fromString(
        QString::fromLatin1(bytes.sliced(Magic.size(), headerEnd - Magic.size())),
        Qt::ISODateWithMs);
    if (!test.begun.isValid())
        return std::nullopt;

    RecordReader reader(bytes, headerEnd + 1, Crc(0, QByteArrayView(bytes).first(headerEnd + 1)));
    while (const std::optional<RecordReader::Record> record = reader.Next()) {
        if (record->change == '+' && record->index == test.lines.size())
            test.lines.append(record->line);
        else if (record->change == '=' && record->index < test.lines.size())
            test.lines[record->index] = record->line;
        else if (record->change == '!')
            test.inGraphWindow = true;
        else
            break;
    }
    return test;
}
