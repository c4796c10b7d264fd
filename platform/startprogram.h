#pragma once

#include <QString>
#include <QStringList>

// Starting an outside program, as the help tools do.
//
// The file is taken as written, backslashes being folder separators; a relative name is found in
// the current directory only, never along the search path. Tried in turn: the name itself; with
// no extension, the name with ".EXE", ".BAT" and ".CMD"; for a name ending in ".exe", the name
// without it. A ".BAT" or ".CMD" file runs through the interpreter that COMSPEC names, with "/c",
// when COMSPEC is set. Each argument reaches the program as one argument, blanks and all. The
// program starts in the current directory with this process's environment and output channels.
namespace StartProgram {

inline constexpr int CouldNotStart = -1;
// What a wait returns for a program that ended by a signal rather than with an exit code.
inline constexpr int EndedBySignal = 255;

// Waits until the program ends and returns its exit code; CouldNotStart when nothing started.
// Given errorOutput, what the program writes to its standard error is kept there instead.
int AndWait(const QString& file, const QStringList& arguments, QString* errorOutput = nullptr);
// Returns at once: 0 once the program runs, CouldNotStart when nothing started.
int WithoutWaiting(const QString& file, const QStringList& arguments);

// A path written with backslashes as folder separators, as this platform writes it.
QString LocalPath(const QString& windowsPath);

} // namespace StartProgram
