#include "library/entrycsv.h"

#include "library/entryresults.h"
#include "platform/linefile.h"
#include "results/resulttable.h"

#include <QIODevice>
#include <QRegularExpression>

namespace {

QString Field(const QString& text)
{
    static const QRegularExpression needsQuotes(QStringLiteral("[\",\r\n]"));
    if (!text.contains(needsQuotes))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace

QStringList EntriesCsv(const QList<LibraryEntry>& entries, const QList<int>& positions,
                       bool english)
{
    QStringList heading{QStringLiteral("Title"),   QStringLiteral("Finished"),
                        QStringLiteral("Station"), QStringLiteral("Operator"),
                        QStringLiteral("Lot"),     QStringLiteral("Method")};
    for (ResultKind kind : AllResultKinds)
        heading.append(ResultHeading(kind, english));
    heading << QStringLiteral("Verdict") << QStringLiteral("Path") << QStringLiteral("SHA-256");
    QStringList lines{heading.join(QLatin1Char(','))};
    for (int position : positions) {
        const LibraryEntry& entry = entries[position];
        QStringList fields{Field(entry.title),   LibraryTimeText(entry.finished),
                           Field(entry.station), Field(entry.operatorName),
                           Field(entry.lot),     Field(entry.method)};
        for (ResultKind kind : AllResultKinds)
            fields.append(ResultText(EntryResult(entry, kind, english)));
        fields << VerdictText(entry.verdict) << Field(entry.path) << entry.sha256;
        lines.append(fields.join(QLatin1Char(',')));
    }
    return lines;
}

void StoreCsvFile(const QString& path, const QStringList& lines)
{
    const QByteArray bytes = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    ReplaceFileWith(path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}
