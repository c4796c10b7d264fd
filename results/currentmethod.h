#pragma once

#include "results/testmethod.h"

#include <QString>

// What the program keeps about results between its runs, in "results.ini" of the start directory
// (an INI file of its own, never QOR.dat): the current method file, the Operator and Lot that the
// method dialog keeps, and two view choices. Method files live in "methods" of the start
// directory; a method file there is remembered by its path from the start directory.

// The current method; an empty method (the results that need no setting) when none is chosen or
// its file cannot be used.
TestMethod CurrentMethod();
// The same, but a chosen file that cannot be used throws its FileError or MethodError.
TestMethod LoadCurrentMethod();
// The current method file's full path; empty when none.
QString CurrentMethodPath();
QString CurrentOperator();
QString CurrentLot();

// Remember the choices. Each throws FileError when results.ini cannot be written.
void SetCurrentMethodPath(const QString& path); // empty: no method
void SetCurrentOperator(const QString& name);
void SetCurrentLot(const QString& lot);

// Whether the break point and the stiffness line are drawn on graphs (off until turned on), and
// whether the Results panel shows.
bool MarkResultsOnGraphs();
void SetMarkResultsOnGraphs(bool mark);
bool ResultsPanelShown();
void SetResultsPanelShown(bool shown);

// "methods" in the start directory.
QString MethodsFolder();
