#include "app/helptools.h"

#include "platform/messagebox.h"
#include "platform/startprogram.h"
#include "program/settings.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStatusBar>

namespace {

const QString Archiver = QStringLiteral("cabarc.exe");

// The window cannot answer while the archiver runs: the wait cursor says so. Pending paints (the
// menu that just closed) are done before the caller blocks.
class WaitCursor
{
public:
    WaitCursor()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The archiver's exit code; why it failed, in its own words, goes to reason.
int RunArchiver(const QStringList& arguments, QString* reason = nullptr)
{
    WaitCursor waiting;
    return StartProgram::AndWait(Archiver, arguments, reason);
}

// A path as the operator reads it on this platform: whole, with "/" between folders.
QString ReadablePath(const QString& windowsPath)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(StartProgram::LocalPath(windowsPath)));
}

// The outcome of the last archive, kept in the status bar under the passing hints: a hint that
// clears itself (the mouse leaving the speed button, even while the archiver ran) shows it again.
void ShowArchiveOutcome(QStatusBar* statusBar, const QString& text)
{
    statusBar->clearMessage(); // a widget added under a message would stay hidden
    auto* outcome = statusBar->findChild<QLabel*>(QStringLiteral("ArchiveOutcome"));
    if (!outcome) {
        outcome = new QLabel(statusBar);
        outcome->setObjectName(QStringLiteral("ArchiveOutcome"));
        statusBar->addWidget(outcome, 1);
    }
    outcome->setText(text);
}

} // namespace

namespace HelpTools {

void CompressDiagnosticInfo(QWidget* owner, QStatusBar* statusBar)
{
    QDir::setCurrent(StartDirectory);
    ShowArchiveOutcome(statusBar, {});
    // The separator is always put in, so "A:\" gives A:\\QOR1000.errors.cab, which still works.
    const QString archive =
        DiagnosticDirectory + QLatin1Char('\\') + ProgramName + QStringLiteral(".errors.cab");
    QString reason;
    const int result = RunArchiver(
        {QStringLiteral("n"), archive, QStringLiteral("*.dat"), QStringLiteral("errors\\*.*")},
        &reason);
    if (result == StartProgram::CouldNotStart) {
        SystemMessageBox(owner, QStringLiteral("Could not find or start CABARC.EXE program!"),
                         QStringLiteral("Error"));
    } else if (result != 0) {
        reason = reason.trimmed();
        if (reason.isEmpty())
            reason = QStringLiteral("The archiver gave no reason (exit code %1).").arg(result);
        SystemMessageBox(owner,
                         QStringLiteral("Could not write the diagnostic archive %1!\n%2")
                             .arg(ReadablePath(archive), reason),
                         QStringLiteral("Error"));
    } else {
        ShowArchiveOutcome(statusBar, QStringLiteral("Diagnostic information compressed to ") +
                                          ReadablePath(archive));
    }
}

void ViewManual(QWidget* owner)
{
    QDir::setCurrent(StartDirectory);
    const QString manual = ProgramName + QStringLiteral(".Manual.pdf");
    if (StartProgram::WithoutWaiting(ManualViewerPath, {manual}) != StartProgram::CouldNotStart)
        return;

    // "-p" keeps the stored folders, so the installer lands in AdbeRdr.
    const bool installing =
        RunArchiver({QStringLiteral("-p"), QStringLiteral("x"), QStringLiteral("AdbeRdr.cab"),
                     QStringLiteral("*.*")}) != StartProgram::CouldNotStart &&
        StartProgram::WithoutWaiting(QStringLiteral("AdbeRdr\\setup.exe"), {}) !=
            StartProgram::CouldNotStart;
    if (installing)
        SystemMessageBox(
            owner,
            QStringLiteral("Manual viewer program installed, please click manual button again."),
            QStringLiteral("Message"));
    else
        SystemMessageBox(owner,
                         QStringLiteral("Could not find or install the manual viewer program!"),
                         QStringLiteral("Error"));
}

} // namespace HelpTools
