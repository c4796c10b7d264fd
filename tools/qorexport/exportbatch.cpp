#include "tools/qorexport/exportbatch.h"

#include "graph/testlines.h"
#include "platform/errors.h"
#include "platform/linefile.h"
#include "results/currentmethod.h"
#include "results/verdict.h"
#include "tools/qorexport/exportoutputs.h"
#include "tools/qorexport/exportprogress.h"
#include "tools/qorexport/resultscsv.h"
#include "tools/qorexport/testexporter.h"

#include <QDir>
#include <QTextStream>

#include <optional>

namespace {

// The method of the request, or nothing with the reason on err.
std::optional<TestMethod> RequestedMethod(const ExportRequest& request, QTextStream& err)
{
    if (request.methodFile.isEmpty())
        return TestMethod();
    try {
        return LoadTestMethod(request.methodFile);
    } catch (const ProgramError& failure) {
        err << "qor-export: " << failure.Message() << Qt::endl;
        return std::nullopt;
    }
}

// Writes every output of one file and, when asked for, adds its results; returns whether all of
// it was done.
bool ExportFile(const QString& input, const ExportRequest& request, ExportOutputs& outputs,
                TestExporter& exporter, ExportProgress& progress, QList<ResultsRow>& results)
{
    const QString name = QDir::toNativeSeparators(input);
    QStringList lines;
    try {
        lines = LoadStoredTest(input);
    } catch (const ProgramError& failure) {
        progress.Report(name + QStringLiteral(": ") + failure.Message());
        return false;
    }
    bool allWritten = true;
    for (const ExportFormat format : request.formats) {
        try {
            exporter.Write(input, lines, format, outputs.Claim(input, format));
        } catch (const ProgramError& failure) {
            progress.Report(QStringLiteral("%1: %2 not written: %3")
                                .arg(name, FormatName(format), failure.Message()));
            allWritten = false;
        }
    }
    if (request.results) {
        try {
            const TestResults computed =
                ComputeResults(lines, exporter.Method(), request.unitsEnglish);
            const TestMethod inUnits = MethodInUnits(exporter.Method(), request.unitsEnglish);
            results.append(
                {input, TestLine(lines, 0), computed, JudgeResults(computed, inUnits).verdict});
        } catch (const ProgramError& failure) {
            progress.Report(QStringLiteral("%1: no results: %2").arg(name, failure.Message()));
            allWritten = false;
        }
    }
    return allWritten;
}

} // namespace

int RunExport(const ExportRequest& request, QTextStream& err, bool onTerminal)
{
    if (!request.outDirectory.isEmpty() && !QDir().mkpath(request.outDirectory)) {
        err << "qor-export: cannot make the output folder "
            << QDir::toNativeSeparators(request.outDirectory) << Qt::endl;
        return 2;
    }
    const std::optional<TestMethod> method = RequestedMethod(request, err);
    if (!method)
        return 2;

    ExportOutputs outputs(request.outDirectory);
    const QString resultsFile = request.results ? outputs.ClaimResults() : QString();
    TestExporter exporter(request.unitsEnglish, *method, MethodName(*method, request.methodFile));
    ExportProgress progress(err, request.files.size(), onTerminal);
    QList<ResultsRow> results;
    qsizetype failed = 0;
    for (const QString& input : request.files) {
        const bool written = ExportFile(input, request, outputs, exporter, progress, results);
        failed += !written;
        progress.FileDone(!written);
    }
    bool resultsWritten = true;
    if (request.results) {
        try {
            WriteLineFile(resultsFile, ResultsCsvLines(results, request.unitsEnglish));
        } catch (const ProgramError& failure) {
            progress.Report(QStringLiteral("results not written: ") + failure.Message());
            resultsWritten = false;
        }
    }
    progress.Finish();

    if (failed == 0 && resultsWritten)
        return 0;
    if (failed > 0) {
        err << "qor-export: " << failed << " of " << request.files.size() << " files failed"
            << Qt::endl;
    }
    return 1;
}
