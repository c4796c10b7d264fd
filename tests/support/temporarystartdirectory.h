#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// An empty temporary directory made the current directory and StartDirectory for the life of a
// test, with its "errors" folder; the previous current directory comes back at the end.
class TemporaryStartDirectory
{
public:
    TemporaryStartDirectory();
    ~TemporaryStartDirectory();

    QString Path() const { return dir_.path(); }
    // Writes a file below the directory, bytes as given.
    void WriteFile(const QString& name, const QByteArray& bytes) const;

private:
    QString previousCurrent_;
    QString previousStart_;
    QTemporaryDir dir_;
};
