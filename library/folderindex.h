#pragma once

#include "library/fileentry.h"

#include <functional>

class LibraryQueue;
class LibraryStore;

// Library > Add Folder: indexing the test files already in a folder.

// The test files (*.dat, in any case) of the folder and its subfolders, in name order.
QStringList TestFilesIn(const QString& folder);

// What adding a folder did, file by file.
struct FolderSummary
{
    int added = 0;
    int alreadyIndexed = 0; // the station's current entry of the file has the same SHA-256
    int notTests = 0;       // no "X,Y" as the third line
    QStringList unreadable; // each with its reason
    bool cancelled = false;
};

// "12 test files added, 3 already in the library, 1 not a test, 1 could not be read."
QString FolderSummaryText(const FolderSummary& summary);

// Queues a row for each test file of the folder that the library does not hold as it is now,
// whether stored or still queued. Its finished time is the file's last change, and the context
// judges its results. progress is told before each file how many are done and of how many;
// answering false cancels, keeping what was queued. Throws LibraryError when the library cannot
// say which files it holds, before anything is queued, and FileError when the queue cannot be
// written.
FolderSummary AddFolder(const QString& folder, LibraryStore& store, LibraryQueue& queue,
                        const EntryContext& context,
                        const std::function<bool(int done, int total)>& progress);
