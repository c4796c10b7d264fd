#pragma once

#include "results/sampleresults.h"

#include <QList>
#include <QString>
#include <QStringList>

// Results laid out as a table of texts, as the Results panel, the report and the clipboard show
// them. Numbers have six significant digits; a result not computed is an empty cell.
struct ResultTable
{
    QStringList headings;
    QList<QStringList> rows;
};

// "450.5", or "" for a result not computed.
QString ResultText(const std::optional<double>& value);

// One test: a row per result that the method computes or limits, with the columns Result, Value,
// Unit, Low, High and Verdict ("PASS", "FAIL low", "FAIL high", "FAIL not computed", or "" for a
// result without a limit). The method is in the units of the results.
ResultTable TestResultTable(const TestEntry& test, const TestMethod& method);

// Several tests: a row per test with its name, a column per result that the method computes or
// limits (headed with its unit) and, when the method has limits, its Verdict and Reason; then an
// empty row, the statistics rows ("n", "Mean", ...) and, with limits, a row counting the tests that
// passed and failed.
ResultTable SampleResultTable(const SampleResults& sample, const TestMethod& method);

// The headings and rows as lines of tab-separated cells, for a spreadsheet.
QString TabSeparated(const ResultTable& table);
