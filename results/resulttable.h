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
// limits (headed with its unit) and, when the method has limits, its Verdict and, if asked for,
// the Reason it failed; then an empty row, the statistics rows ("n", "Mean", ...) and, with
// limits, a row counting the tests that passed and failed.
enum class ReasonColumn
{
    Shown,
    LeftOut
};
ResultTable SampleResultTable(const SampleResults& sample, const TestMethod& method,
                              ReasonColumn reasons = ReasonColumn::Shown);

// What the method computes, in its own units: "break at a drop of 20 % of the maximum; force at
// 0.105 in.; displacement at 250.5 lbs.; stiffness from 100.5 to 400.5 lbs.; average force from
// 0.1005 to 0.3005 in.", or "the maximum and the energy only".
QString MethodSummary(const TestMethod& method);

// Its limits: "Maximum Force from 450.5 to 600.5 lbs.; Energy at most 200.5 lbs.in.", or "none".
QString LimitsSummary(const TestMethod& method);

// The headings and rows as lines of tab-separated cells, for a spreadsheet.
QString TabSeparated(const ResultTable& table);
