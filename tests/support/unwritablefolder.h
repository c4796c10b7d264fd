#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "filesizelimit.h"

#include <optional>

// A folder holding one old file, where saving fails as on a read-only folder or a full disk. Where
// the test may mount, the folder is a small tmpfs made read-only or filled up; otherwise a
// read-only folder is one without write permission, and a full disk is a file size limit that
// makes every write beyond a few bytes fail for lack of room. The limit lasts as long as the
// folder.
class UnwritableFolder
{
public:
    enum Fault
    {
        ReadOnly,
        Full
    };

    UnwritableFolder(Fault fault, const QString& oldFileName, const QByteArray& oldBytes);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    QString Path() const { return dir_.path(); }
    // Why the fault cannot be made on this machine (a read-only folder for a user who may write
    // anywhere and may not mount); empty when it is in place.
    QString Unavailable() const { return unavailable_; }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    std::optional<FileSizeLimit> sizeLimit_;
    QString unavailable_;
};
