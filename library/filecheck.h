#pragma once

#include "library/libraryentry.h"

// Whether an entry's file is still the one that was saved. A file that is missing or whose bytes
// no longer have the entry's SHA-256 is never silently trusted: the window marks it.
enum class FileState
{
    Unchecked,
    Same,
    Changed,
    Missing,
    Elsewhere // saved on another station, and not found here as it was saved
};

// Reads the file at the entry's path. Another station's entry is Same when this station sees the
// very bytes saved there (a shared folder), else Elsewhere: never marked, as it may be fine there.
FileState CheckEntryFile(const LibraryEntry& entry);

// "changed since it was saved" for a changed or missing file, else empty.
QString FileStateText(FileState state);
// Says why, for a tool tip.
QString FileStateReason(FileState state);
