#pragma once

#include "results/testmethod.h"

class TGraphForm;

// Draws a single test's break point and stiffness line over its curve by the method, or, when
// not shown, takes them away. A test whose records cannot be read gets no marks.
void MarkResults(TGraphForm* window, const TestMethod& method, bool shown);
