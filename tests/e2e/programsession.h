#pragma once

// The whole program in a test: its forms as the entry point builds them in the current directory,
// an operator at the control panel, and qor-sim serving COM1 in the start directory.
#include "modalanswers.h"

#include "app/mainscreen.h"
#include "app/programforms.h"
#include "config/initializingbox.h"
#include "control/controlpanel.h"
#include "dialogs/operatorentrybox.h"
#include "graph/graphform.h"
#include "platform/termination.h"
#include "program/settings.h"
#include "sim/simulatedseriallibrary.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

// Makes the program's forms (or its main window alone), passing the start-up dialog at once, by
// Ignore where it offers it. The runtime directory is the test's own: a program running beside
// the tests is not a second instance.
template <typename Forms> std::unique_ptr<Forms> StartForms()
{
    static const QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    Termination::Withdraw();
    PortName.clear(); // start-up sets it only when the port opens
    ModalAnswers answers({[](QWidget* modal) {
        auto* box = qobject_cast<TInitializingBox*>(modal);
        if (box->IgnoreBitBtn->isEnabled())
            box->IgnoreBitBtn->click();
        else
            box->Timer1->setInterval(0);
    }});
    auto forms = std::make_unique<Forms>();
    if (!answers.AllAnswered())
        QTest::qFail("The start-up dialog did not show", __FILE__, __LINE__);
    return forms;
}

// One thing the operator does once the panel shows that it is due.
struct OperatorStep
{
    std::function<bool(TQORcontrolPanel&)> ready;
    std::function<void(TQORcontrolPanel&)> act;
};

inline bool HasLine(const TQORcontrolPanel& panel, const QString& line)
{
    return panel.TestDataLines().contains(line);
}

inline const OperatorStep MachineAnsweredContinuous{
    [](TQORcontrolPanel& panel) { return HasLine(panel, QStringLiteral("C")); },
    [](TQORcontrolPanel&) {}};

inline const OperatorStep PressTest{[](TQORcontrolPanel&) { return true; },
                                    [](TQORcontrolPanel& panel) { panel.TestButton->click(); }};

// The program as its entry point builds it.
struct Program
{
    std::unique_ptr<ProgramForms> forms = StartForms<ProgramForms>();
    TMainScreen* mainScreen = MainScreen;
    TActOperatorEntryBox* entryBox = ActOperatorEntryBox;
    TQORcontrolPanel* panel = QORcontrolPanel;

    QList<TGraphForm*> GraphWindows() const
    {
        QList<TGraphForm*> graphs;
        for (QMdiSubWindow* child : mainScreen->MdiArea->subWindowList()) {
            if (auto* graph = qobject_cast<TGraphForm*>(child->widget()))
                graphs.append(graph);
        }
        return graphs;
    }

    // Opens the panel from the File menu and plays the operator: each step when the panel shows
    // it is due, the dialogs that open over the panel answered in order, and the panel closed
    // once the steps are done and finished() holds. letTimePass runs between looks at the panel.
    void RunPanelSession(const QList<OperatorStep>& steps,
                         const QList<ModalAnswers::Answer>& dialogs,
                         const std::function<bool()>& finished,
                         const std::function<void()>& letTimePass, int intervalMilliseconds,
                         int watchdogMilliseconds)
    {
        QTimer operatorAtPanel;
        qsizetype nextStep = 0;
        QObject::connect(&operatorAtPanel, &QTimer::timeout, [&] {
            letTimePass();
            if (QApplication::activeModalWidget() != panel)
                return;
            if (nextStep < steps.size()) {
                if (steps[nextStep].ready(*panel))
                    steps[nextStep++].act(*panel);
            } else if (finished()) {
                operatorAtPanel.stop();
                panel->CloseButton->click();
            }
        });
        // The panel stays open under the dialogs that open over it.
        ModalAnswers answers(QList<ModalAnswers::Answer>{[&](QWidget*) {
                                 answers.PassOver(panel);
                                 operatorAtPanel.start(intervalMilliseconds);
                             }} + dialogs,
                             watchdogMilliseconds);
        mainScreen->MenuFileNew->trigger();
        QVERIFY2(!answers.WatchdogFired(), "the session did not end in time");
        QVERIFY(answers.AllAnswered());
    }

    // A session that ends when the test's graph window is there, the title typed into the prompt.
    void RunFromPanel(const QList<OperatorStep>& steps, const QString& title,
                      const std::function<void()>& letTimePass, int intervalMilliseconds,
                      int watchdogMilliseconds)
    {
        const ModalAnswers::Answer typeTitle = [this, title](QWidget*) {
            entryBox->EntryInputEdit->setText(title);
            entryBox->EntryOKBitBtn->click();
        };
        RunPanelSession(
            steps, {typeTitle}, [this] { return !GraphWindows().isEmpty(); }, letTimePass,
            intervalMilliseconds, watchdogMilliseconds);
    }

    // The same against the simulated machine in-process. Each tick lets 100 ms of the machine's
    // time pass and takes one line; the operator looks at the panel (and the panel is drawn) after
    // every ticksPerLook ticks.
    void RunInProcess(SimulatedSerialLibrary& machine, const QList<OperatorStep>& steps,
                      const QString& title, int watchdogMilliseconds = 10000, int ticksPerLook = 1)
    {
        const auto ticks = [&] {
            for (int tick = 0; tick < ticksPerLook; ++tick) {
                machine.Advance(100);
                panel->StatusTimerTimer();
            }
        };
        RunFromPanel(steps, title, ticks, 0, watchdogMilliseconds);
    }
};

// qor-sim serving COM1 in a start directory, stopped at the end; its error output shows in the
// test's.
struct QorSim
{
    QString link;
    QProcess process;

    QorSim(const QString& startDirectory, const QStringList& options)
        : link(startDirectory + QStringLiteral("/COM1"))
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(QOR_SIM_PATH),
                      QStringList{QStringLiteral("--dir"), startDirectory} + options);
    }
    ~QorSim() { Stop(); }

    bool Serving() const { return process.state() == QProcess::Running && QFile::exists(link); }
    // Stops it as Ctrl+C does; its exit code (not 0 when, say, a sanitizer found something).
    int Stop()
    {
        process.terminate();
        process.waitForFinished();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
};
