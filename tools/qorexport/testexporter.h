#pragma once

#include "results/testmethod.h"
#include "tools/qorexport/exportcommandline.h"

#include <QStringList>

#include <memory>

QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

// Reads a stored test: the test line list of a file whose third line is the column line "X,Y".
// Throws FileError when the file cannot be read or holds no test.
QStringList LoadStoredTest(const QString& path);

// Writes the outputs of stored tests in one kind of units, their results and reports by one
// method. The charts are drawn by one test chart that is never shown on the screen; it reads the
// program-wide units, which the exporter sets when it is made.
class TestExporter
{
public:
    TestExporter(bool unitsEnglish, const TestMethod& method, const QString& methodName);
    ~TestExporter();

    // Writes the lines of input in format to path, replacing the file only once it is whole.
    // Throws FileError when the file cannot be written and ConversionError for a record whose
    // fields are not numbers; nothing is written then.
    void Write(const QString& input, const QStringList& lines, ExportFormat format,
               const QString& path);

    const TestMethod& Method() const { return method_; }

private:
    void WriteCsv(const QStringList& lines, const QString& path) const;
    void WritePdf(const QString& path);
    void WritePng(const QString& path);
    void WriteReport(const QString& input, const QStringList& lines, const QString& path);
    void ShowInChart(const QStringList& lines);

    bool unitsEnglish_;
    TestMethod method_;
    QString methodName_;
    std::unique_ptr<QChartView> chart_;
    QStringList chartLines_;
};
