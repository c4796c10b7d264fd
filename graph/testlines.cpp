#include "graph/testlines.h"

#include "config/settings.h"
#include "control/protocol.h"
#include "platform/numbertext.h"


namespace {

constexpr int FirstRecordIndex = 3;

bool IsDataRecord(const QString& line)
{
    return line.size() > 4 && line[4] == u',';
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
    if (IsDataRecord(line)) {
        const RecordCounts counts = ReadRecordCounts(line);
        return displacementTexts(counts.displacement) + u',' + forceTexts(counts.force);
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
        if (IsDataRecord(line)) {
            const RecordCounts counts = ReadRecordCounts(line);
            visit(counts.displacement * DisplacementFactor, counts.force * ForceFactor);
        }
        if (line.startsWith(u'T'))
            break;
    }
}

QStringList ConvertTestToCsv(const QStringList& lines, bool unitsEnglish)
{
    const UnitFactors factors = FactorsFor(unitsEnglish);
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
