#pragma once

#include "app/programforms.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class SimulatedSerialLibrary;
class TActOperatorEntryBox;
class TGraphForm;
class TMainScreen;
class TQORcontrolPanel;

// One thing the operator does once the panel shows that the machine is ready for it.
struct OperatorStep
{
    std::function<bool(TQORcontrolPanel&)> ready;
    std::function<void(TQORcontrolPanel&)> act;
};

bool HasLine(const TQORcontrolPanel& panel, const QString& line);

// Waits for the machine's answer to the "C" the panel sends when it is made.
extern const OperatorStep MachineAnsweredContinuous;
extern const OperatorStep PressTest;

// The program as its entry point builds it, in the current directory, its start-up dialog let go
// by its timer.
struct Program
{
    std::unique_ptr<ProgramForms> forms;
    TMainScreen* mainScreen = nullptr;
    TActOperatorEntryBox* entryBox = nullptr;
    TQORcontrolPanel* panel = nullptr;

    Program();

    QList<TGraphForm*> GraphWindows() const;

    // Opens the panel from the File menu and plays the operator: each step when the panel shows
    // it is due, the title typed into the prompt, and the panel closed once the test's graph
    // window is there. letTimePass runs between looks at the panel.
    void RunFromPanel(const QList<OperatorStep>& steps, const QString& title,
                      const std::function<void()>& letTimePass, int intervalMilliseconds,
                      int watchdogMilliseconds);

    // The same against the simulated machine in-process. Each tick lets 100 ms of the machine's
    // time pass and takes one line; the operator looks at the panel (and the panel is drawn) after
    // every ticksPerLook ticks.
    void RunInProcess(SimulatedSerialLibrary& machine, const QList<OperatorStep>& steps,
                      const QString& title, int watchdogMilliseconds = 10000, int ticksPerLook = 1);
};
