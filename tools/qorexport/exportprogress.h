#pragma once

#include <QElapsedTimer>
#include <QString>

class QTextStream;

// The messages of a run on standard error. On a terminal, a run of more than one file keeps a
// progress line that counts the files, with each failure written on a line of its own above it;
// the progress line goes when the run ends. Off a terminal only the failures are written.
class ExportProgress
{
public:
    ExportProgress(QTextStream& err, qsizetype fileCount, bool onTerminal);

    // A line of its own: "qor-export: " and the message.
    void Report(const QString& message);
    void FileDone(bool failed);
    void Finish();

private:
    void ClearLine();
    void Draw();

    QTextStream& err_;
    qsizetype fileCount_;
    bool showsProgress_;
    qsizetype done_ = 0;
    qsizetype failures_ = 0;
    QElapsedTimer sinceDrawn_;
};
