#include "programrun.h"

#include "modalanswers.h"

#include "app/mainscreen.h"
#include "config/initializingbox.h"
#include "control/controlpanel.h"
#include "dialogs/operatorentrybox.h"
#include "graph/graphform.h"
#include "sim/simulatedseriallibrary.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

bool HasLine(const TQORcontrolPanel& panel, const QString& line)
{
    return panel.TestDataLines().contains(line);
}

const OperatorStep MachineAnsweredContinuous{
    [](TQORcontrolPanel& panel) { return HasLine(panel, QStringLiteral("C")); },
    [](TQORcontrolPanel&) {}};

const OperatorStep PressTest{[](TQORcontrolPanel&) { return true; },
                             [](TQORcontrolPanel& panel) { panel.TestButton->click(); }};

Program::Program()
{
    ModalAnswers answers({[](QWidget* modal) {
        auto* box = qobject_cast<TInitializingBox*>(modal);
        if (box)
            box->Timer1->setInterval(0);
    }});
    forms = std::make_unique<ProgramForms>();
    mainScreen = MainScreen;
    entryBox = ActOperatorEntryBox;
    panel = QORcontrolPanel;
}

QList<TGraphForm*> Program::GraphWindows() const
{
    QList<TGraphForm*> graphs;
    for (QMdiSubWindow* child : mainScreen->MdiArea->subWindowList()) {
        if (auto* graph = qobject_cast<TGraphForm*>(child->widget()))
            graphs.append(graph);
    }
    return graphs;
}

void Program::RunFromPanel(const QList<OperatorStep>& steps, const QString& title,
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
        } else if (!GraphWindows().isEmpty()) {
            operatorAtPanel.stop();
            panel->CloseButton->click();
        }
    });
    ModalAnswers answers({[&](QWidget*) { operatorAtPanel.start(intervalMilliseconds); },
                          [&](QWidget*) {
                              entryBox->EntryInputEdit->setText(title);
                              entryBox->EntryOKBitBtn->click();
                          }},
                         watchdogMilliseconds);
    mainScreen->MenuFileNew->trigger();
    QVERIFY2(!answers.WatchdogFired(), "the test did not reach its graph window in time");
    QVERIFY(answers.AllAnswered());
}

void Program::RunInProcess(SimulatedSerialLibrary& machine, const QList<OperatorStep>& steps,
                           const QString& title, int watchdogMilliseconds, int ticksPerLook)
{
    RunFromPanel(
        steps, title,
        [&] {
            for (int tick = 0; tick < ticksPerLook; ++tick) {
                machine.Advance(100);
                panel->StatusTimerTimer();
            }
        },
        0, watchdogMilliseconds);
}
