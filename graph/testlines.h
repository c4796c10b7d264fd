#pragma once

#include "program/settings.h"

#include <QString>
#include <QStringList>

#include <functional>

// The test line list: line 0 the title, line 1 the summary, line 2 "X,Y", records from line 3.
// A record "dddd,ffff" carries the displacement count (thousandths of an inch) and the force count
// (pounds); "ID", "TL", "TM" and "TT" are the machine's stop records.

// The line at index, or an empty line past the end.
QString TestLine(const QStringList& lines, int index);

// Replaces the line at index; past the end nothing is written.
void SetTestLine(QStringList& lines, int index, const QString& text);

using TestRecordVisitor = std::function<void(double displacement, double force)>;

// Hands every data record from line 3 on to visit, in display units (DisplacementFactor,
// ForceFactor). The records end after the first line that begins with "T", or with the last line
// of a list that has none. A record whose fields are not numbers throws ConversionError; the
// records before it have been visited.
void ReadTestRecords(const QStringList& lines, const TestRecordVisitor& visit);

// The same walk in the units of the given factors, whatever the units in force.
void ReadTestRecords(const QStringList& lines, UnitFactors factors, const TestRecordVisitor& visit);

// A count of a record times its unit factor, written with the given number of decimals (0 to 3)
// exactly as FormatFloat writes it by the picture "0" or "0.000", only faster.
QString CountText(int count, double factor, int decimals);

// The comma-separated export of a test in the given units: the column header in line 2, the
// records converted from line 3 up to the first empty line, the rest unchanged. A record whose
// fields are not numbers throws ConversionError.
QStringList ConvertTestToCsv(const QStringList& lines, bool unitsEnglish);
