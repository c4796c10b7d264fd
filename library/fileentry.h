#pragma once

#include "library/libraryentry.h"
#include "results/testmethod.h"

#include <QStringList>

// Making the library's entry of a test file.

// What the program knows of a test besides its file.
struct EntryContext
{
    TestMethod method; // judges the results
    QString operatorName;
    QString lot;
};

// The context of a save: the current method, operator and lot.
EntryContext CurrentEntryContext();

// The SHA-256 of a file's bytes, lower-case hex. Throws FileError.
QString FileSha256(const QString& path);

// The entry of a test file whose lines are given, with the hash of its bytes as they are on disk
// now, a new uuid, this host as its station, the units in force, and its results in inches and
// pounds under the context's method (none for a test whose records are not numbers). saved is
// now; finished is given. Throws FileError when the file cannot be read.
LibraryEntry EntryForTestFile(const QString& path, const QStringList& lines,
                              const EntryContext& context, const QDateTime& finished);

// This host's name, the station of the entries it makes.
QString ThisStation();
