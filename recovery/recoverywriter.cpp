#include "recovery/recoverywriter.h"

#include "platform/errors.h"
#include "recovery/recoveryfolder.h"

#include <QFile>

#include <utility>

namespace {

// The machine's reply that a test, or a cycle of a series, starts.
const QString TestStart = QStringLiteral("D");

} // namespace

template <typename Write> void RecoveryWriter::Guarded(Write write)
{
    try {
        write();
    } catch (const FileError& error) {
        Report(error);
    }
}

template <typename Change> void RecoveryWriter::ChangeTableFile(Change change)
{
    Guarded([this, &change] { change(*table_); });
    if (!syncTimer_.isActive())
        syncTimer_.start();
}

RecoveryWriter::RecoveryWriter(QObject* parent) : QObject(parent)
{
    syncTimer_.setSingleShot(true);
    syncTimer_.setInterval(1000);
    connect(&syncTimer_, &QTimer::timeout, this, &RecoveryWriter::SyncTableFile);
}

RecoveryWriter::~RecoveryWriter()
{
    // What fails now is only logged: whoever shows it is going too.
    blockSignals(true);
    SyncTableFile();
}

void RecoveryWriter::Append(const QString& line)
{
    if (tableHandedOver_)
        return;
    if (table_) {
        ChangeTableFile([&line](RecoveryFile& file) { file.Append(line); });
        return;
    }
    linesBeforeStart_.append(line);
    if (line == TestStart)
        BeginTableFile();
}

void RecoveryWriter::Replace(qsizetype index, const QString& line)
{
    if (tableHandedOver_)
        return;
    if (table_)
        ChangeTableFile([index, &line](RecoveryFile& file) { file.Replace(index, line); });
    else if (index < linesBeforeStart_.size())
        linesBeforeStart_[index] = line;
}

void RecoveryWriter::Clear()
{
    const ClosedTest test = CloseTableFile();
    if (tableEnded_)
        endedTests_.append(test);
    else if (!test.path.isEmpty())
        keptUntilNextTest_.append(test.path);
    tableEnded_ = false;
    tableHandedOver_ = false;
    linesBeforeStart_.clear();
}

void RecoveryWriter::EndTest()
{
    tableEnded_ = true;
    SyncTableFile();
}

QString RecoveryWriter::HandOver(const QStringList& lines)
{
    ClosedTest test;
    if (!endedTests_.isEmpty()) {
        test = endedTests_.takeFirst();
    } else {
        test = CloseTableFile();
        tableEnded_ = false;
        tableHandedOver_ = true;
        linesBeforeStart_.clear();
    }
    if (test.path.isEmpty()) {
        test.begun = QDateTime::currentDateTime();
        test.path = NewRecoveryPath(RecoveryFolder(), test.begun);
    }
    try {
        StoreHandedOverTest(test.path, test.begun, lines);
    } catch (const FileError& error) {
        if (!test.failed)
            Report(error);
    }
    // A file that could not be replaced still holds the test as far as it was written.
    return QFile::exists(test.path) ? test.path : QString();
}

void RecoveryWriter::BeginTableFile()
{
    for (const QString& path : std::exchange(keptUntilNextTest_, {}))
        ForgetRecoveredTest(path);
    table_.emplace();
    ChangeTableFile([this](RecoveryFile& file) {
        file.Create(RecoveryFolder(), QDateTime::currentDateTime(), linesBeforeStart_);
    });
    linesBeforeStart_.clear();
}

void RecoveryWriter::SyncTableFile()
{
    syncTimer_.stop();
    if (table_)
        Guarded([this] { table_->Sync(); });
}

RecoveryWriter::ClosedTest RecoveryWriter::CloseTableFile()
{
    if (!table_)
        return {};
    SyncTableFile();
    const ClosedTest test{table_->Path(), table_->Begun(), !table_->Writable()};
    table_.reset();
    return test;
}

void RecoveryWriter::Report(const FileError& error)
{
    LogRecoveryFailure(error.Message());
    emit WriteFailed(
        QStringLiteral("This test is not kept on disk against a crash: %1").arg(error.Message()));
}
