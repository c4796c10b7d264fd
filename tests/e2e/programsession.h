#pragma once

// The whole program in a test: its forms as the entry point builds them, an operator at the
// control panel, and qor-sim serving COM1 in the start directory.
#include "modalanswers.h"

#include "sim/machineoptions.h"

#include <QProcess>
#include <QStringList>

#include <functional>
#include <memory>

class ProgramForms;
class SimulatedSerialLibrary;
class TActOperatorEntryBox;
class TGraphForm;
class TMainScreen;
class TQORcontrolPanel;

// One thing the operator does once the panel shows that it is due.
struct OperatorStep
{
    std::function<bool(TQORcontrolPanel&)> ready;
    std::function<void(TQORcontrolPanel&)> act;
};

bool HasLine(const TQORcontrolPanel& panel, const QString& line);

extern const OperatorStep MachineAnsweredContinuous;
extern const OperatorStep PressTest;

// The program as its entry point builds it, started in the current directory.
struct Program
{
    std::unique_ptr<ProgramForms> forms;
    TMainScreen* mainScreen = nullptr;
    TActOperatorEntryBox* entryBox = nullptr;
    TQORcontrolPanel* panel = nullptr;

    Program();
    ~Program();

    QList<TGraphForm*> GraphWindows() const;

    // Opens the panel from the File menu and plays the operator: each step when the panel shows
    // it is due, the dialogs that open over the panel answered in order, and the panel closed
    // once the steps are done and finished() holds. letTimePass runs between looks at the panel.
    void RunPanelSession(const QList<OperatorStep>& steps,
                         const QList<ModalAnswers::Answer>& dialogs,
                         const std::function<bool()>& finished,
                         const std::function<void()>& letTimePass, int intervalMilliseconds,
                         int watchdogMilliseconds);

    // A session that ends when the test's graph window is there, the title typed into the prompt.
    void RunFromPanel(const QList<OperatorStep>& steps, const QString& title,
                      const std::function<void()>& letTimePass, int intervalMilliseconds,
                      int watchdogMilliseconds);

    // The same against the simulated machine in-process. Each tick lets 100 ms of the machine's
    // time pass and takes one line; the operator looks at the panel (and the panel is drawn) after
    // every ticksPerLook ticks.
    void RunInProcess(SimulatedSerialLibrary& machine, const QList<OperatorStep>& steps,
                      const QString& title, int watchdogMilliseconds = 10000, int ticksPerLook = 1);
};

// The lines the machine sends for one test after "C" and the given set-up commands.
QStringList MachineLines(const MachineOptions& options, const QByteArray& setUp = {});

// The finished test a graph window must hold for the machine's lines of a single test.
QStringList FinishedTest(const QString& title, const QStringList& machineLines);

MachineOptions SpringTo(int maxForce);

// qor-sim serving COM1 in a start directory with the given options, stopped at the end. What it
// writes to its standard error shows in the test's.
class QorSimProcess
{
public:
    QorSimProcess(const QString& startDirectory, const QStringList& options);
    ~QorSimProcess();

    // True once the COM1 link is in place.
    bool Serving() const;
    // Stops it as Ctrl+C does; its exit code (not 0 when, say, a sanitizer found something).
    int Stop();
    // Gone at once, as a machine whose cable is pulled: its side of the terminal closes.
    void Vanish();

private:
    QString link_;
    QProcess process_;
};
