#include "programsession.h"

#include "app/mainscreen.h"
#include "app/programforms.h"
#include "config/initializingbox.h"
#include "control/controlpanel.h"
#include "dialogs/operatorentrybox.h"
#include "graph/graphform.h"
#include "platform/numbertext.h"
#include "sim/machinemodel.h"
#include "sim/simulatedseriallibrary.h"

#include <QAction>
#include <QFile>
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

Program::~Program() = default;

QList<TGraphForm*> Program::GraphWindows() const
{
    QList<TGraphForm*> graphs;
    for (QMdiSubWindow* child : mainScreen->MdiArea->subWindowList()) {
        if (auto* graph = qobject_cast<TGraphForm*>(child->widget()))
            graphs.append(graph);
    }
    return graphs;
}

void Program::RunPanelSession(const QList<OperatorStep>& steps,
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

void Program::RunFromPanel(const QList<OperatorStep>& steps, const QString& title,
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

QStringList MachineLines(const MachineOptions& options, const QByteArray& setUp)
{
    MachineModel machine(options);
    machine.Receive("C" + setUp);
    machine.Advance(100);
    machine.TakeReplies();
    machine.Receive("T");
    QStringList lines;
    for (int step = 0; step < 100000; ++step) {
        machine.Advance(100);
        for (const QByteArray& reply : machine.TakeReplies())
            lines.append(QString::fromLatin1(reply.chopped(1)));
        if (!lines.isEmpty() && lines.constLast().size() == 2 && lines.constLast().front() == u'T')
            break;
    }
    return lines;
}

QStringList FinishedTest(const QString& title, const QStringList& machineLines)
{
    double maximum = -1;
    QString at;
    for (const QString& line : machineLines) {
        if (line.size() == 9 && line[4] == u',' && line.mid(5).toInt() > maximum) {
            maximum = line.mid(5).toInt();
            at = FormatFloat(QStringLiteral("0.000"), line.left(4).toInt() * 0.001);
        }
    }
    QStringList lines{title,
                      QStringLiteral("Maximum Force (lbs.)=%1 at Displacement (in.)=%2")
                          .arg(FormatFloat(QStringLiteral("0"), maximum), at),
                      QStringLiteral("X,Y")};
    return lines + machineLines.mid(1);
}

MachineOptions SpringTo(int maxForce)
{
    MachineOptions options;
    options.specimen = Specimen::Spring;
    options.maxForce = maxForce;
    return options;
}

QorSimProcess::QorSimProcess(const QString& startDirectory, const QStringList& options)
    : link_(startDirectory + QStringLiteral("/COM1"))
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(QOR_SIM_PATH),
                   QStringList{QStringLiteral("--dir"), startDirectory} + options);
}

QorSimProcess::~QorSimProcess()
{
    Stop();
}

int QorSimProcess::Stop()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        process_.waitForFinished();
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

bool QorSimProcess::Serving() const
{
    return process_.state() == QProcess::Running && QFile::exists(link_);
}

void QorSimProcess::Vanish()
{
    process_.kill();
    process_.waitForFinished();
}
