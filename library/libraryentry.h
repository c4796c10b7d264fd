#pragma once

#include "results/testresults.h"
#include "results/verdict.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>

class QSqlQuery;

// One row of the test library: what was saved, when, where and by whom, and its results.
struct LibraryEntry
{
    qint64 id = 0; // the row's number in the library, 0 until stored
    QString uuid;  // names the row, so that a row delivered twice is stored once
    QString path;  // absolute
    QString title;
    QDateTime finished; // UTC
    QString station;    // the host name
    QString operatorName;
    QString lot;
    bool unitsEnglish = true; // the units in force when it was saved
    QString method;
    TestResults results{}; // in inches and pounds, whatever the units were
    Verdict verdict = Verdict::None;
    QString sha256;  // of the file's bytes as written, lower-case hex
    QDateTime saved; // UTC
};

// The columns of the tests table that a row fills (all but id), in the table's order.
const QStringList& EntryColumns();

// The row as the queue keeps it and the library stores it, by column name: times as ISO 8601 UTC
// text, units ENGLISH or METRIC, verdict PASS, FAIL or empty, a result not computed as null.
QJsonObject EntryRow(const LibraryEntry& entry);

// The entry of a query's current row, whose columns are EntryColumns() in order, then id.
LibraryEntry EntryFromQuery(const QSqlQuery& query);

// A time as the library stores it: "2026-12-07T13:18:28Z".
QString LibraryTimeText(const QDateTime& time);
