#pragma once

// Reads QOR.dat from the current directory once at start-up: applies each line to the program-wide
// settings, opens the port a PORT line names, rewrites errors/install.errors.txt with a report of
// what was found and appends one line to errors/startup.log.txt.
// Throws -1002 when QOR.dat cannot be opened, -1004 when reading it fails part of the way (the
// lines read before stay applied; no trailer and no start-up history line are written), -1001 or
// -1003 when a log cannot be opened or written, and otherwise, after the whole file was read, the
// number of bad lines when there was any.
void ReadInstallationFile();

// A line longer than this many characters is reported as a bad line and not applied.
inline constexpr int LongestInstallationLine = 254;
