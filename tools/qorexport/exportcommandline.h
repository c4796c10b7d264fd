#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The outputs qor-export can write for one stored test.
enum class ExportFormat
{
    Csv,    // the program's comma-separated export
    Pdf,    // the chart on one page
    Png,    // the chart as a picture
    Report, // the test report's page, a PDF file
};

// "CSV", "PDF", "PNG" or "Report".
QString FormatName(ExportFormat format);
// The output's suffix: "csv", "pdf" or "png".
QString FormatSuffix(ExportFormat format);

// What qor-export was asked to do.
struct ExportRequest
{
    bool unitsEnglish = true;
    QList<ExportFormat> formats; // the CSV when no format was named and results were not asked for
    bool results = false;        // results.csv of every test
    QString methodFile;          // the method of the results and reports; empty: none
    QString outDirectory;        // empty: each output beside its input
    QStringList files;
};

// Reads qor-export's command line (the program's name first). When it holds --help, helpText
// gets the usage and nothing is returned; a bad command line returns nothing with the reason in
// error.
std::optional<ExportRequest> ReadExportCommandLine(const QStringList& arguments, QString& helpText,
                                                   QString& error);
