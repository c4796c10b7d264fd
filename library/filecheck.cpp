#include "library/filecheck.h"

#include "library/fileentry.h"

#include <QFileInfo>

FileState CheckEntryFile(const LibraryEntry& entry)
{
    const bool here = entry.station == ThisStation();
    FileState state = FileState::Missing;
    if (QFileInfo(entry.path).isFile()) {
        try {
            state = FileSha256(entry.path) == entry.sha256 ? FileState::Same : FileState::Changed;
        } catch (const FileError&) {
        }
    }
    // Another station's path may name a file of this one: only the very bytes saved count.
    return here || state == FileState::Same ? state : FileState::Elsewhere;
}

QString FileStateText(FileState state)
{
    return state == FileState::Changed || state == FileState::Missing
               ? QStringLiteral("changed since it was saved")
               : QString();
}

QString FileStateReason(FileState state)
{
    switch (state) {
    case FileState::Changed:
        return QStringLiteral("The file's bytes are no longer those that were saved.");
    case FileState::Missing:
        return QStringLiteral("The file is missing or cannot be read.");
    case FileState::Elsewhere:
        return QStringLiteral("Saved on another station, whose file this one cannot see.");
    case FileState::Same:
        return QStringLiteral("The file is as it was saved.");
    case FileState::Unchecked:
        break;
    }
    return {};
}
