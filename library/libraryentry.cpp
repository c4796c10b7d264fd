#include "library/libraryentry.h"

#include "results/methodtexts.h"

#include <QJsonValue>
#include <QSqlQuery>
#include <QVariant>

namespace {

// The result columns, by ResultKind.
const std::array<QString, ResultKindCount> ResultColumns{QStringLiteral("maximum_force"),
                                                         QStringLiteral("displacement_at_maximum"),
                                                         QStringLiteral("break_force"),
                                                         QStringLiteral("break_displacement"),
                                                         QStringLiteral("force_at_displacement"),
                                                         QStringLiteral("displacement_at_force"),
                                                         QStringLiteral("stiffness"),
                                                         QStringLiteral("energy"),
                                                         QStringLiteral("average_force")};

// Where the columns after the results start.
constexpr int FirstResultColumn = 9;

QDateTime TimeFrom(const QVariant& text)
{
    return QDateTime::fromString(text.toString(), Qt::ISODate).toUTC();
}

} // namespace

const QStringList& EntryColumns()
{
    static const QStringList columns = [] {
        QStringList names{
            QStringLiteral("uuid"),     QStringLiteral("path"),    QStringLiteral("title"),
            QStringLiteral("finished"), QStringLiteral("station"), QStringLiteral("operator"),
            QStringLiteral("lot"),      QStringLiteral("units"),   QStringLiteral("method")};
        for (const QString& result : ResultColumns)
            names.append(result);
        names << QStringLiteral("verdict") << QStringLiteral("sha256") << QStringLiteral("saved");
        return names;
    }();
    return columns;
}

QString LibraryTimeText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODate);
}

QJsonObject EntryRow(const LibraryEntry& entry)
{
    QJsonObject row{{QStringLiteral("uuid"), entry.uuid},
                    {QStringLiteral("path"), entry.path},
                    {QStringLiteral("title"), entry.title},
                    {QStringLiteral("finished"), LibraryTimeText(entry.finished)},
                    {QStringLiteral("station"), entry.station},
                    {QStringLiteral("operator"), entry.operatorName},
                    {QStringLiteral("lot"), entry.lot},
                    {QStringLiteral("units"), UnitsText(entry.unitsEnglish)},
                    {QStringLiteral("method"), entry.method},
                    {QStringLiteral("verdict"), VerdictText(entry.verdict)},
                    {QStringLiteral("sha256"), entry.sha256},
                    {QStringLiteral("saved"), LibraryTimeText(entry.saved)}};
    for (int kind = 0; kind < ResultKindCount; ++kind) {
        const std::optional<double>& value = entry.results[kind];
        row.insert(ResultColumns[kind], value ? QJsonValue(*value) : QJsonValue());
    }
    return row;
}

LibraryEntry EntryFromQuery(const QSqlQuery& query)
{
    LibraryEntry entry;
    entry.uuid = query.value(0).toString();
    entry.path = query.value(1).toString();
    entry.title = query.value(2).toString();
    entry.finished = TimeFrom(query.value(3));
    entry.station = query.value(4).toString();
    entry.operatorName = query.value(5).toString();
    entry.lot = query.value(6).toString();
    entry.unitsEnglish = query.value(7).toString() != UnitsText(false);
    entry.method = query.value(8).toString();
    for (int kind = 0; kind < ResultKindCount; ++kind) {
        const QVariant value = query.value(FirstResultColumn + kind);
        if (!value.isNull())
            entry.results[kind] = value.toDouble();
    }
    const QString verdict = query.value(FirstResultColumn + ResultKindCount).toString();
    entry.verdict = verdict == VerdictText(Verdict::Pass)   ? Verdict::Pass
                    : verdict == VerdictText(Verdict::Fail) ? Verdict::Fail
                                                            : Verdict::None;
    entry.sha256 = query.value(FirstResultColumn + ResultKindCount + 1).toString();
    entry.saved = TimeFrom(query.value(FirstResultColumn + ResultKindCount + 2));
    entry.id = query.value(FirstResultColumn + ResultKindCount + 3).toLongLong();
    return entry;
}
