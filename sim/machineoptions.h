#pragma once

#include "sim/testpiece.h"

#include <QByteArray>
#include <QList>

// How the simulated machine is set up.
struct MachineOptions
{
    Specimen specimen = Specimen::Spring;
    double recordsPerSecond = 5.0;
    int maxForce = 1000;         // pounds: a test stops with "TM" when the force reaches it
    int travelLimit = 1600;      // thousandths of an inch below home: "TL" there
    quint32 seed = 1;            // of the force noise; the same seed gives the same lines
    int holdMilliseconds = 1000; // an incremental pause before the test goes on
    // When not empty, each "T" is answered with these lines (without carriage returns), one per
    // record interval, the first at once, instead of a test run by the model.
    QList<QByteArray> script;
};
