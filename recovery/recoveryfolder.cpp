#include "recovery/recoveryfolder.h"

#include "platform/errors.h"
#include "program/logwriter.h"
#include "program/settings.h"
#include "recovery/recoveryfile.h"

#include <QDir>
#include <QFile>

namespace {

const QString RecoveryLog = QStringLiteral("errors/recovery.errors.txt");

void Discard(const QString& path)
{
    const QDir discarded(QDir(RecoveryFolder()).filePath(QStringLiteral("discarded")));
    QFile file(path);
    if (!discarded.mkpath(QStringLiteral(".")) ||
        !file.rename(discarded.filePath(QFileInfo(path).fileName())))
        LogRecoveryFailure(QStringLiteral("Cannot move file \"%1\" to \"%2\". %3")
                               .arg(QDir::toNativeSeparators(path),
                                    QDir::toNativeSeparators(discarded.path()),
                                    file.errorString()));
}

} // namespace

QString RecoveryFolder()
{
    return QDir(StartDirectory).filePath(QStringLiteral("recovery"));
}

QList<RecoveredTest> FindRecoveredTests()
{
    QList<RecoveredTest> tests;
    const QDir folder(RecoveryFolder());
    for (const QFileInfo& entry :
         folder.entryInfoList({QStringLiteral("*.rec")}, QDir::Files, QDir::Name)) {
        try {
            if (std::optional<RecoveredTest> test = ReadRecoveryFile(entry.filePath())) {
                tests.append(std::move(*test));
                continue;
            }
            LogRecoveryFailure(QStringLiteral("File \"%1\" holds no line; it is discarded.")
                                   .arg(QDir::toNativeSeparators(entry.filePath())));
            Discard(entry.filePath());
        } catch (const FileError& error) {
            LogRecoveryFailure(error.Message());
        }
    }
    return tests;
}

void DiscardRecoveredTests(const QList<RecoveredTest>& tests)
{
    for (const RecoveredTest& test : tests)
        Discard(test.path);
}

void ForgetRecoveredTest(const QString& path)
{
    QFile file(path);
    if (file.exists() && !file.remove())
        LogRecoveryFailure(QStringLiteral("Cannot remove file \"%1\". %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
}

void LogRecoveryFailure(const QString& message)
{
    try {
        WriteLogLine(RecoveryLog, QStringLiteral("Recovery: "), message, QStringLiteral("Y"),
                     LogMode::Append);
    } catch (int) {
    }
}
