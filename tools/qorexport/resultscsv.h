#pragma once

#include "results/testresults.h"
#include "results/verdict.h"

#include <QList>
#include <QString>
#include <QStringList>

// One test's row of results.csv.
struct ResultsRow
{
    QString file; // as it was given
    QString title;
    TestResults results;
    Verdict verdict;
};

// The lines of results.csv: the header row, a row per test, an empty row, then the statistics
// rows n, Mean, Standard Deviation, CV %, Minimum, Maximum and Range (the statistic's name, an
// empty cell, a value per result). Numbers have six significant digits; a field holding a comma,
// a quote or a line end is quoted.
QStringList ResultsCsvLines(const QList<ResultsRow>& rows, bool english);
