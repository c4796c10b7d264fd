#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// A recovery file keeps one test's lines as the control panel's data table collects them, so that
// the test outlives the program. It is only ever appended to, and reads back whatever byte a cut (a
// killed program, a power cut) left last.
//
// It is a header line, "QOR1000 recovery " and the local time of the test's first line (ISO 8601
// with milliseconds), then one record per change of the lines:
//
//     <change><text> <index> <length> <check> <bytes>LF
//
// change: "+" appends the line (index: the number of lines before it), "=" replaces line index,
// "!" says that the lines so far went to a graph window (index and length 0). text: "L" when the
// bytes are the line in Latin-1, as the data table and test files hold it, "U" when they are UTF-8,
// for a line that Latin-1 cannot hold (a title). length: the number of bytes, which may be any
// bytes, line ends included. check: the CRC-32 of the record up to the check and of its bytes, in
// eight hex digits, carried on from the record before (from the header for the first), so a record
// checks out only in the place and the file it was written for.
//
// Reading stops before the first record that is cut short or does not check out: the records
// before it stand, nothing after it is taken.

// Makes the records of one file, each checked on from the ones before.
class RecoveryRecords
{
public:
    explicit RecoveryRecords(const QByteArray& header);

    QByteArray Append(qsizetype index, const QString& line);
    QByteArray Replace(qsizetype index, const QString& line);
    QByteArray HandedOver();

private:
    QByteArray Record(char change, qsizetype index, const QString& line);

    quint32 check_;
};

QByteArray RecoveryHeader(const QDateTime& begun);

// A whole file: the header, the lines, and the mark that they went to a graph window.
QByteArray RecoveryFileHolding(const QDateTime& begun, const QStringList& lines);

struct RecoveredTest
{
    QString path;
    QDateTime begun; // when the test's first line arrived
    QStringList lines;
    bool inGraphWindow = false; // else the test was still in the control panel
};

// What a recovery file's bytes hold (path left empty); nothing when the header is missing or cut.
std::optional<RecoveredTest> ReadRecoveryBytes(const QByteArray& bytes);
