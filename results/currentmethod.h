#pragma once

#include "results/testmethod.h"

#include <QString>

// What the program keeps about results between its runs, in "results.ini" of the start directory
// (an INI file of its own, never QOR.dat): the current method file, the Operator and Lot that the
// method dialog keeps, and whether results are marked on graphs. Method files live in "methods" of
// the start directory; a method file there is remembered by its path from the start directory.

// The current method; an empty method (the results that need no setting) when none is chosen or
// its file cannot be used.
TestMethod CurrentMethod();
// The same, but a chosen file that cannot be used throws its FileError or MethodError.
TestMethod LoadCurrentMethod();
// The current method file's full path; empty when none.
QString CurrentMethodPath();
QString CurrentOperator();
QString CurrentLot();

// Remembers the method file (empty: no method), the Operator and the Lot, all three or, when
// results.ini cannot be written, none (FileError).
void SetCurrentMethod(const QString& path, const QString& operatorName, const QString& lot);

// The method's name for people: its own, else its file's name without the ending, else "none".
QString MethodName(const TestMethod& method, const QString& path);

// Whether the break point and the stiffness line are drawn on graphs (off until turned on). The
// setter throws FileError as above.
bool MarkResultsOnGraphs();
void SetMarkResultsOnGraphs(bool mark);

// "methods" in the start directory.
QString MethodsFolder();
