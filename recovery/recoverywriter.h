#pragma once

#include "recovery/recoveryfile.h"

#include <QObject>
#include <QTimer>

#include <optional>

class FileError;

// Keeps the tests that the control panel's data table collects on the disk, one recovery file per
// test in RecoveryFolder(), following every change of the table's lines, until each test is safe:
// - A file begins with the test's start reply "D", with whatever lines the table took before it,
//   and then takes every line appended or replaced; a repeated series stays in one file.
// - A test that ends (FinishTest) is synced at once; when its graph window opens, HandOver makes
//   its file hold exactly the window's lines, and the window keeps the file until its test is
//   saved as a test file or dropped by the operator (graph/graphform.h).
// - A test that gets no graph window (ended at the bottom limit, stopped, or emptied from the
//   table) is kept until the next test starts.
// Lines the table takes after its test went to a graph window belong to no test until the table
// is emptied; should a second end code hand them over after all, HandOver writes them whole.
//
// Every write goes to the system at once and is synced to the disk within a second. A file that
// cannot be written is logged and said once through WriteFailed; the test goes on without it.
class RecoveryWriter : public QObject
{
    Q_OBJECT
public:
    explicit RecoveryWriter(QObject* parent = nullptr);
    ~RecoveryWriter() override;

    // The data table's changes, as the panel makes them.
    void Append(const QString& line);
    void Replace(qsizetype index, const QString& line);
    void Clear();
    // The table's test ended: its file is synced, and waits for its graph window.
    void EndTest();
    // The oldest ended test went to a graph window with these lines. Its file's path, or an empty
    // text when no file could be made.
    QString HandOver(const QStringList& lines);

signals:
    void WriteFailed(const QString& message);

private:
    // A test whose file no longer changes.
    struct ClosedTest
    {
        QString path;
        QDateTime begun;
        bool failed = false; // its failure has been said
    };

    void BeginTableFile();
    template <typename Change> void ChangeTableFile(Change change);
    void SyncTableFile();
    ClosedTest CloseTableFile();
    template <typename Write> void Guarded(Write write);
    void Report(const FileError& error);

    std::optional<RecoveryFile> table_;
    QStringList linesBeforeStart_; // the table's lines while no test has started in it
    bool tableEnded_ = false;
    bool tableHandedOver_ = false;
    QList<ClosedTest> endedTests_; // ended tests emptied from the table, oldest first
    QStringList keptUntilNextTest_;
    QTimer syncTimer_;
};
