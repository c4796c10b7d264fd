#include "tools/qorexport/exportbatch.h"

#include "platform/errors.h"
#include "tools/qorexport/exportoutputs.h"
#include "tools/qorexport/exportprogress.h"
#include "tools/qorexport/testexporter.h"

#include <QDir>
#include <QTextStream>

namespace {

// Writes every output of one file; returns whether all were written.
bool ExportFile(const QString& input, const ExportRequest& request, ExportOutputs& outputs,
                TestExporter& exporter, ExportProgress& progress)
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
            exporter.Write(lines, format, outputs.Claim(input, format));
        } catch (const ProgramError& failure) {
            progress.Report(QStringLiteral("%1: %2 not written: %3")
                                .arg(name, FormatName(format), failure.Message()));
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

    ExportOutputs outputs(request.outDirectory);
    TestExporter exporter(request.unitsEnglish);
    ExportProgress progress(err, request.files.size(), onTerminal);
    qsizetype failed = 0;
    for (const QString& input : request.files) {
        const bool written = ExportFile(input, request, outputs, exporter, progress);
        failed += !written;
        progress.FileDone(!written);
    }
    progress.Finish();

    if (failed == 0)
        return 0;
    err << "qor-export: " << failed << " of " << request.files.size() << " files failed"
        << Qt::endl;
    return 1;
}
