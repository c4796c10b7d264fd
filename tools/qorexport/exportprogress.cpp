#include "tools/qorexport/exportprogress.h"

#include <QTextStream>

namespace {

// Redrawing the line for every file would cost more than converting a small test.
constexpr qint64 RedrawMilliseconds = 100;

} // namespace

ExportProgress::ExportProgress(QTextStream& err, qsizetype fileCount, bool onTerminal)
    : err_(err), fileCount_(fileCount), showsProgress_(onTerminal && fileCount > 1)
{
    if (showsProgress_)
        Draw();
}

void ExportProgress::Report(const QString& message)
{
    ClearLine();
    err_ << "qor-export: " << message << '\n';
    if (showsProgress_)
        Draw();
    else
        err_.flush();
}

void ExportProgress::FileDone(bool failed)
{
    ++done_;
    failures_ += failed;
    if (showsProgress_ && sinceDrawn_.elapsed() >= RedrawMilliseconds)
        Draw();
}

void ExportProgress::Finish()
{
    ClearLine();
    err_.flush();
}

void ExportProgress::ClearLine()
{
    // Back to the start of the line and erase it.
    if (showsProgress_)
        err_ << "\r\033[K";
}

void ExportProgress::Draw()
{
    ClearLine();
    err_ << "qor-export: " << done_ << " of " << fileCount_ << " files";
    if (failures_ > 0)
        err_ << ", " << failures_ << " failed";
    err_.flush();
    sinceDrawn_.start();
}
