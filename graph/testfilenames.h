#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// What the file commands decide by a file's name.

// What a name chosen in the save dialog asks for, by its ending in any case: ".dat" a test file,
// ".csv" an export, anything else nothing.
enum class SaveKind
{
    TestFile,
    Export,
    Neither
};
SaveKind SaveKindOf(const QString& fileName);

// The folder the file dialogs start in and prints without a printer go to: "data" in the start
// directory, which start-up creates.
QString DataFolder();

// A PDF file in folder named after a window's caption: a saved or opened test's file name without
// its folder or ending ("oak" for "/home/op/data/oak.dat"), any other caption whole ("Unsaved
// Graph"), each character a file name cannot hold made "_" ("Oak 1_2 in" for "Oak 1/2 in"). A
// name already taken gets the next free number ("oak 2.pdf"), so a print never replaces another.
QString PrintFileFor(const QString& caption, const QString& folder);

// The local test files among dropped addresses, in their order.
QStringList TestFilesAmong(const QList<QUrl>& urls);
