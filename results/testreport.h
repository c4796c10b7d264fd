#pragma once

#include "results/sampleresults.h"

#include <QDateTime>
#include <QList>
#include <QString>

QT_BEGIN_NAMESPACE
class QChartView;
class QPagedPaintDevice;
QT_END_NAMESPACE

// One page of the test report: the title block's supplier lines and the report's date and time,
// the test's title, file, units, method with its settings and limits, Operator and Lot; the chart
// as it is drawn; then the results table with limits and verdicts, or for a multiple window the
// table of its tests with the sample's statistics.
struct ReportPage
{
    QString title;    // a single test's title line, or a multiple window's caption
    QString fileName; // the test's file; empty for a test not saved or a multiple window
    QString methodName;
    TestMethod method; // in the units of the results
    QString operatorName;
    QString lot;
    QDateTime printed;
    QChartView* chart = nullptr;
    SampleResults sample;
    bool severalTests = false;
};

// Draws one page per entry on the device, in points, the chart laid out afresh for its place.
// False when the device could not be painted on or could not start a new page.
bool DrawReport(const QList<ReportPage>& pages, QPagedPaintDevice& device);

// Writes the pages to a PDF file on A4 paper, replacing the file only once it is whole. Throws
// FileError when it cannot be written.
void WriteReportPdf(const QList<ReportPage>& pages, const QString& path, const QString& creator);
