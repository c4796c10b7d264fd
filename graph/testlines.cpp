#include "graph/testlines.h"

#include "config/settings.h"
#include "platform/numbertext.h"

#include <algorithm>

namespace {

constexpr int FirstRecordIndex = 3;

// The factors ApplyUnits sets for each setting; the export takes the units as an argument.
struct UnitFactors
{
    double displacement;
    double force;
};
constexpr UnitFactors EnglishFactors{0.001, 1.0};
constexpr UnitFactors MetricFactors{0.00254, 0.4535924};

bool IsDataRecord(const QString& line)
{
    return line.size() > 4 && line[4] == u',';
}

// A count field of a record. Four digits, as the machine sends them, are read in place; any
// other field goes through StrToInt, which takes it or raises the conversion error.
int CountField(const QString& record, qsizetype from)
{
    const QStringView field = QStringView(record).mid(from, 4);
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (field.size() < 4 || !std::all_of(field.begin(), field.end(), isDigit))
        return StrToInt(field.toString());
    int count = 0;
    for (const QChar digit : field)
        count = count * 10 + digit.digitValue();
    return count;
}

int DisplacementCount(const QString& record)
{
    return CountField(record, 0);
}

int ForceCount(const QString& record)
{
    return CountField(record, 5);
}

// The texts of the counts of one field. A test repeats its counts many times, so each is
// formatted once per export.
class CountTexts
{
public:
    CountTexts(const QString& picture, double factor) : Picture(picture), Factor(factor) {}

    const QString& operator()(int count)
    {
        QString& text = Texts[count];
        if (text.isNull())
            text = FormatFloat(Picture, count * Factor);
        return text;
    }

private:
    QString Picture;
    double Factor;
    QList<QString> Texts = QList<QString>(10000); // a field has four digits
};

QString ExportLine(const QString& line, CountTexts& displacementTexts, CountTexts& forceTexts)
{
    if (IsDataRecord(line))
        return displacementTexts(DisplacementCount(line)) + u',' + forceTexts(ForceCount(line));
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
    for (qsizetype index = FirstRecordIndex; index < lines.size(); ++index) {
        const QString& line = lines[index];
        if (IsDataRecord(line))
            visit(DisplacementCount(line) * DisplacementFactor, ForceCount(line) * ForceFactor);
        if (line.startsWith(u'T'))
            break;
    }
}

QStringList ConvertTestToCsv(const QStringList& lines, bool unitsEnglish)
{
    const UnitFactors factors = unitsEnglish ? EnglishFactors : MetricFactors;
    CountTexts displacementTexts(QStringLiteral("0.000"), factors.displacement);
    CountTexts forceTexts(QStringLiteral("0"), factors.force);
    QStringList csv = lines;
    SetTestLine(csv, 2,
                unitsEnglish ? QStringLiteral("Displacement(in.),Force(lbs.),Test Start")
                             : QStringLiteral("Displacement(cm),Force(kg),Test Start"));
    int index = FirstRecordIndex;
    do {
        SetTestLine(csv, index, ExportLine(TestLine(csv, index), displacementTexts, forceTexts));
        ++index;
    } while (!TestLine(csv, index).isEmpty());
    return csv;
}
