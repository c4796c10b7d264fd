#pragma once

#include "results/sampleresults.h"

#include <QList>

class QWidget;

// Whether the window is a graph window, single or multiple.
bool IsTestWindow(const QWidget* window);

// Whether the window shows several tests (a multiple window).
bool ShowsSeveralTests(const QWidget* window);

// The tests a graph window shows: a single window's test named by its title line, each test of
// a multiple window by its legend name. None for any other window.
QList<NamedTest> TestsIn(QWidget* window);
