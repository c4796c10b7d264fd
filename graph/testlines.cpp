#include "graph/testlines.h"

#include "program/settings.h"
#include "protocol/protocol.h"

#include <QStringBuilder>

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int FirstRecordIndex = 3;

bool IsDataRecord(const QString& line)
{
    return line.size() > 4 && line[4] == u',';
}

// The export texts of every count of both fields in one unit. They are written once for the
// program's life, the first time a test is exported: a count has only 10,000 values (four digits)
// and tests repeat them many times.
struct FieldTexts
{
    std::vector<QString> displacement;
    std::vector<QString> force;
};

const FieldTexts& ExportTexts(bool unitsEnglish)
{
    static const std::array<FieldTexts, 2> texts = [] {
        std::array<FieldTexts, 2> units;
        for (const bool english : {false, true}) {
            const UnitFactors factors = FactorsFor(english);
            FieldTexts& unit = units.at(english);
            for (int count = 0; count <= 9999; ++count) {
                unit.displacement.push_back(CountText(count, factors.displacement, 3));
                unit.force.push_back(CountText(count, factors.force, 0));
            }
        }
        return units;
    }();
    return texts.at(unitsEnglish);
}

QString ExportLine(const QString& line, const FieldTexts& texts)
{
    if (IsDataRecord(line)) {
        const RecordCounts counts = ReadRecordCounts(line);
        return texts.displacement[counts.displacement] % u',' % texts.force[counts.force];
    }
    if (line == QLatin1String("ID"))
        return QStringLiteral(",,Incremental Stop");
    if (line == QLatin1String("TL"))
        return QStringLiteral(",,Maximum Travel Stop");
    if (line == QLatin1String("TM"))
        return QStringLiteral(",,Maximum Force Stop");
    if (line == QLatin1String("TT"))
        return QStringLiteral(",,Test Completed Stop");
    return QStringLiteral(",,!!Error in test file data!!");
}

} // namespace

QString CountText(int count, double factor, int decimals)
{
    // The factors are decimals of a few digits, so the scaled value lies within a billionth of its
    // exact decimal value while a true fraction stays at least a ten-millionth away from one half:
    // a tie is recognised despite the binary noise and rounded up, as the number pictures do.
    static constexpr std::array<double, 4> PowersOfTen{1.0, 10.0, 100.0, 1000.0};
    auto whole =
        static_cast<qint64>(std::floor(count * factor * PowersOfTen.at(decimals) + 0.5 + 1e-9));
    // Written from the last digit, with at least one digit before the decimal point.
    std::array<char16_t, 24> text;
    auto at = text.size();
    for (int digit = 0; digit <= decimals || whole > 0; ++digit) {
        if (digit == decimals && decimals > 0)
            text[--at] = u'.';
        text[--at] = static_cast<char16_t>(u'0' + whole % 10);
        whole /= 10;
    }
    return QString(reinterpret_cast<const QChar*>(text.data() + at), text.size() - at);
}

QString TestLine(const QStringList& lines, int index)
{
    return lines.value(index);
}

void SetTestLine(QStringList& lines, int index, const QString& text)
{
    if (index >= 0 && index < lines.size())
        lines[index] = text;
}

void ReadTestRecords(const QStringList& lines, const TestRecordVisitor& visit)
{
    ReadTestRecords(lines, UnitFactors{DisplacementFactor, ForceFactor}, visit);
}

void ReadTestRecords(const QStringList& lines, UnitFactors factors, const TestRecordVisitor& visit)
{
    for (qsizetype index = FirstRecordIndex; index < lines.size(); ++index) {
        const QString& line = lines[index];
        if (IsDataRecord(line)) {
            const RecordCounts counts = ReadRecordCounts(line);
            visit(counts.displacement * factors.displacement, counts.force * factors.force);
        }
        if (line.startsWith(u'T'))
            break;
    }
}

QStringList ConvertTestToCsv(const QStringList& lines, bool unitsEnglish)
{
    const FieldTexts& texts = ExportTexts(unitsEnglish);
    QStringList csv;
    csv.reserve(lines.size());
    csv.append(lines.mid(0, FirstRecordIndex));
    SetTestLine(csv, 2,
                unitsEnglish ? QStringLiteral("Displacement(in.),Force(lbs.),Test Start")
                             : QStringLiteral("Displacement(cm),Force(kg),Test Start"));
    // Line 3 is examined whatever it holds; the records end before the next empty line.
    qsizetype index = FirstRecordIndex;
    if (index < lines.size()) {
        do {
            csv.append(ExportLine(lines[index], texts));
            ++index;
        } while (index < lines.size() && !lines[index].isEmpty());
    }
    csv.append(lines.mid(index));
    return csv;
}
