// qor-export: converts stored tests into the program's CSV export and into the chart of the graph
// window, from the command line. See --help.
#include "tools/qorexport/exportbatch.h"
#include "tools/qorexport/exportcommandline.h"

#include <QApplication>
#include <QTextStream>

#include <unistd.h>

namespace {

// The toolkit's own notes about drawing off the screen (no window system, no runtime folder) are
// no concern of whoever converts tests; only its failures are.
void ReportToolkitFailures(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        QTextStream(stderr) << "qor-export: " << message << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(ReportToolkitFailures);
    // Charts are drawn off the screen, so the same files come out with a display or without one.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qor-export"));
    QTextStream err(stderr);

    QString helpText;
    QString error;
    const std::optional<ExportRequest> request =
        ReadExportCommandLine(QApplication::arguments(), helpText, error);
    if (!request) {
        if (!helpText.isEmpty()) {
            QTextStream(stdout) << helpText;
            return 0;
        }
        err << "qor-export: " << error << Qt::endl;
        return 2;
    }
    return RunExport(*request, err, isatty(STDERR_FILENO) == 1);
}
