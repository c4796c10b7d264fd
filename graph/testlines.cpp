#include "graph/testlines.h"

#include "config/settings.h"
#include "platform/numbertext.h"

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

int DisplacementCount(const QString& record)
{
    return StrToInt(record.left(4));
}

int ForceCount(const QString& record)
{
    return StrToInt(record.mid(5, 4));
}

QString ExportLine(const QString& line, UnitFactors factors)
{
    if (IsDataRecord(line)) {
        const double displacement = DisplacementCount(line) * factors.displacement;
        const double force = ForceCount(line) * factors.force;
        return FormatFloat(QStringLiteral("0.000"), displacement) + u',' +
               FormatFloat(QStringLiteral("0"), force);
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
    QStringList csv = lines;
    SetTestLine(csv, 2,
                unitsEnglish ? QStringLiteral("Displacement(in.),Force(lbs.),Test Start")
                             : QStringLiteral("Displacement(cm),Force(kg),Test Start"));
    int index = FirstRecordIndex;
    do {
        SetTestLine(csv, index, ExportLine(TestLine(csv, index), factors));
        ++index;
    } while (!TestLine(csv, index).isEmpty());
    return csv;
}
