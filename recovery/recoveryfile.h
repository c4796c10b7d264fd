#pragma once

#include "recovery/recoveryformat.h"

#include <QFile>

#include <optional>

// One recovery file on the disk, written as its test's lines change (recovery/recoveryformat.h).
// Each record goes to the system at once, so a killed program loses nothing written; Sync puts
// what was written on the disk, so a power cut loses nothing synced. After a failed write the file
// takes no more records, so that its torn end stays its end. Failures throw FileError.
class RecoveryFile
{
public:
    // Makes a new file in folder, named after begun, holding lines.
    void Create(const QString& folder, const QDateTime& begun, const QStringList& lines);

    void Append(const QString& line);
    void Replace(qsizetype index, const QString& line);
    void Sync();

    QString Path() const { return file_.fileName(); }
    QDateTime Begun() const { return begun_; }
    // False once the file could not be made or a write failed.
    bool Writable() const { return records_ && !failed_; }

private:
    void Write(const QByteArray& bytes);
    [[noreturn]] void Fail(const QString& reason);

    QFile file_;
    QDateTime begun_;
    std::optional<RecoveryRecords> records_;
    qsizetype lineCount_ = 0;
    bool failed_ = false;
    bool folderSynced_ = false;
};

// A new file name in folder for a test begun then: its time, made unique by a number.
QString NewRecoveryPath(const QString& folder, const QDateTime& begun);

// Replaces the file at path, whole and at once, by one that holds lines as handed to a graph
// window; the old file stays as it was when that fails. Throws FileError.
void StoreHandedOverTest(const QString& path, const QDateTime& begun, const QStringList& lines);

// What the file at path holds; nothing when it holds no readable line. Throws FileError when it
// cannot be read.
std::optional<RecoveredTest> ReadRecoveryFile(const QString& path);
