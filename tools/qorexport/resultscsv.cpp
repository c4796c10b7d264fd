#include "tools/qorexport/resultscsv.h"

#include "results/resulttable.h"
#include "results/samplestatistics.h"

namespace {

QString CsvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(CsvField(field));
    return quoted.join(u',');
}

} // namespace

QStringList ResultsCsvLines(const QList<ResultsRow>& rows, bool english)
{
    QStringList header{QStringLiteral("File"), QStringLiteral("Title")};
    for (const ResultKind kind : AllResultKinds)
        header.append(ResultHeading(kind, english));
    header.append(QStringLiteral("Verdict"));
    QStringList lines{CsvLine(header)};

    QList<TestResults> results;
    QList<Verdict> verdicts;
    for (const ResultsRow& row : rows) {
        QStringList fields{row.file, row.title};
        for (const std::optional<double>& value : row.results)
            fields.append(ResultText(value));
        fields.append(VerdictText(row.verdict));
        lines.append(CsvLine(fields));
        results.append(row.results);
        verdicts.append(row.verdict);
    }

    lines.append(QString());
    const SampleStatistics statistics = ComputeStatistics(results, verdicts);
    for (const Statistic statistic : AllStatistics) {
        QStringList fields{StatisticName(statistic), QString()};
        for (const ResultStatistics& byResult : statistics.byResult)
            fields.append(ResultText(StatisticValue(byResult, statistic)));
        lines.append(CsvLine(fields));
    }
    return lines;
}
