#include "tools/qorexport/testexporter.h"

#include "graph/chartoutput.h"
#include "graph/testchart.h"
#include "graph/testfile.h"
#include "graph/testlines.h"
#include "platform/errors.h"
#include "platform/linefile.h"
#include "program/settings.h"
#include "results/testreport.h"

#include <QChartView>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

namespace {

// The chart is drawn at this size, so labels keep the size they have on the screen.
constexpr QSize ChartSize(960, 680);
constexpr int ChartTopMargin = 8;

} // namespace

QStringList LoadStoredTest(const QString& path)
{
    QStringList lines = LoadTestFile(path);
    if (!HoldsTest(lines))
        throw FileError(QStringLiteral("\"%1\" holds no test: its third line is not \"X,Y\".")
                            .arg(QDir::toNativeSeparators(path)));
    return lines;
}

TestExporter::TestExporter(bool unitsEnglish, const TestMethod& method, const QString& methodName)
    : unitsEnglish_(unitsEnglish), method_(method), methodName_(methodName)
{
    ApplyUnits(unitsEnglish);
}

TestExporter::~TestExporter() = default;

void TestExporter::Write(const QString& input, const QStringList& lines, ExportFormat format,
                         const QString& path)
{
    switch (format) {
    case ExportFormat::Csv:
        WriteCsv(lines, path);
        return;
    case ExportFormat::Pdf:
        ShowInChart(lines);
        WritePdf(path);
        return;
    case ExportFormat::Png:
        ShowInChart(lines);
        WritePng(path);
        return;
    case ExportFormat::Report:
        ShowInChart(lines);
        WriteReport(input, lines, path);
        return;
    }
}

void TestExporter::WriteCsv(const QStringList& lines, const QString& path) const
{
    StoreTestFile(path, ConvertTestToCsv(lines, unitsEnglish_));
}

void TestExporter::ShowInChart(const QStringList& lines)
{
    if (!chart_) {
        chart_.reset(CreateTestChart(nullptr, QStringLiteral("GraphChart"), ChartTopMargin));
        chart_->setAttribute(Qt::WA_DontShowOnScreen);
        chart_->resize(ChartSize);
        chart_->show();
    }
    if (chartLines_ == lines)
        return;
    if (const std::optional<ConversionError> badRecord = DrawTestChart(chart_.get(), lines)) {
        chartLines_.clear();
        throw *badRecord;
    }
    chartLines_ = lines;
    // The chart lays out its new title and axes when its posted layout requests are handled.
    QCoreApplication::sendPostedEvents();
}

void TestExporter::WritePdf(const QString& path)
{
    ReplaceFileWith(path, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(TestLine(chartLines_, 0));
        writer.setCreator(QStringLiteral("qor-export"));
        return PrintChart(chart_.get(), writer);
    });
}

void TestExporter::WritePng(const QString& path)
{
    QImage image(chart_->viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawChart(chart_.get(), painter, image.rect());
    painter.end();
    ReplaceFileWith(path, [&](QIODevice& file) { return image.save(&file, "PNG"); });
}

void TestExporter::WriteReport(const QString& input, const QStringList& lines, const QString& path)
{
    ReportPage page;
    page.title = TestLine(lines, 0);
    page.fileName = input;
    page.methodName = methodName_;
    page.method = MethodInUnits(method_, unitsEnglish_);
    page.printed = QDateTime::currentDateTime();
    page.chart = chart_.get();
    page.sample = EvaluateTests({{page.title, lines}}, method_, unitsEnglish_);
    WriteReportPdf({page}, path, QStringLiteral("qor-export"));
}
