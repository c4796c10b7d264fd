// Whole tests run by the operator from the control panel of the real program, in a temporary start
// directory whose QOR.dat names COM1: against qor-sim on a pseudo-terminal, and against the
// simulated machine wired in-process.
#include "programsession.h"
#include "temporarystartdirectory.h"

#include "app/mainscreen.h"
#include "control/controlpanel.h"
#include "control/updown.h"
#include "graph/graphform.h"
#include "platform/numbertext.h"
#include "platform/termination.h"
#include "program/settings.h"
#include "sim/simulatedseriallibrary.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The lines the machine sends for one test after "C" and the given set-up commands.
QStringList MachineLines(const MachineOptions& options, const QByteArray& setUp = {})
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

// The finished test a graph window must hold for the machine's lines of a single test.
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

} // namespace

class TestTestFromControlPanel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void singleTestAgainstQorSim();
    void incrementalTestPausesAtEachStep();
    void repeatModeRunsThreeCycles();

private:
    QTemporaryDir runtime_;
    std::unique_ptr<TemporaryStartDirectory> start_;
};

void TestTestFromControlPanel::initTestCase()
{
    // A private runtime directory: a program running beside the tests is not a second instance.
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
}

void TestTestFromControlPanel::init()
{
    Termination::Withdraw();
    start_ = std::make_unique<TemporaryStartDirectory>();
    start_->WriteFile(QStringLiteral("QOR.dat"),
                      "QOR-1000 installation\r\nPORT=COM1\r\nUNITS=ENGLISH\r\nCOLORGRAPH=TRUE\r\n");
}

void TestTestFromControlPanel::cleanup()
{
    start_.reset();
    InstallSerialLibrary(nullptr);
    PortName.clear();
}

void TestTestFromControlPanel::singleTestAgainstQorSim()
{
    MachineOptions options = SpringTo(300);
    options.recordsPerSecond = 20;
    QorSim qorSim(start_->Path(),
                  {"--specimen", "spring", "--max-force", "300", "--rate", "20", "--seed", "1"});
    QTRY_VERIFY(qorSim.Serving());

    Program program;
    QCOMPARE(PortName, QStringLiteral("COM1"));
    program.RunFromPanel(
        {MachineAnsweredContinuous, PressTest}, QStringLiteral("Spring 300"), [] {}, 20, 30000);

    const QList<TGraphForm*> graphs = program.GraphWindows();
    QCOMPARE(graphs.size(), 1);
    QCOMPARE(graphs[0]->Lines(), FinishedTest(QStringLiteral("Spring 300"), MachineLines(options)));
    QVERIFY(graphs[0]->GraphDataMemo->document()->isModified());
    QCOMPARE(program.panel->QORstatus->text(), QStringLiteral("Test Aborted at Maximum Force"));
    QCOMPARE(qorSim.Stop(), 0);
}

void TestTestFromControlPanel::incrementalTestPausesAtEachStep()
{
    const MachineOptions options = SpringTo(400);
    SimulatedSerialLibrary machine(options);
    InstallSerialLibrary(&machine);
    Program program;
    const OperatorStep setIncremental{[](TQORcontrolPanel&) { return true; },
                                      [](TQORcontrolPanel& panel) {
                                          panel.PC2ModeIncremental->click();
                                          panel.PC2TrackBar->setValue(150); // 100 lbs.
                                          panel.ContIncModeBitBtn->click();
                                      }};
    const OperatorStep incrementalSet{
        [](TQORcontrolPanel& panel) { return HasLine(panel, QStringLiteral("I")); },
        [](TQORcontrolPanel& panel) {
            QCOMPARE(panel.PC2Meter->value(), 100);
            panel.TestButton->click();
        }};
    program.RunInProcess(machine, {MachineAnsweredContinuous, setIncremental, incrementalSet},
                         QStringLiteral("Steps of 100"));

    const QList<TGraphForm*> graphs = program.GraphWindows();
    QCOMPARE(graphs.size(), 1);
    const QStringList machineLines = MachineLines(options, "MI100\rI");
    QVERIFY(machineLines.count(QStringLiteral("ID")) >= 3);
    QCOMPARE(graphs[0]->Lines(), FinishedTest(QStringLiteral("Steps of 100"), machineLines));
}

void TestTestFromControlPanel::repeatModeRunsThreeCycles()
{
    SimulatedSerialLibrary machine(SpringTo(250));
    InstallSerialLibrary(&machine);
    Program program;
    // The panel's long hints show in the main window's status bar.
    QStatusTipEvent hint(program.panel->TestButton->statusTip());
    QCoreApplication::sendEvent(program.panel->TestButton, &hint);
    QCOMPARE(program.mainScreen->statusBar()->currentMessage(),
             QStringLiteral("Request the QOR to Start Testing"));
    const OperatorStep startRepeat{[](TQORcontrolPanel&) { return true; },
                                   [](TQORcontrolPanel& panel) {
                                       panel.RepeatCheckBox->click();
                                       panel.RepeatCountMaskEdit->setText(QStringLiteral("3"));
                                       panel.TestButton->click();
                                   }};
    program.RunInProcess(machine, {MachineAnsweredContinuous, startRepeat},
                         QStringLiteral("Three"));

    const QList<TGraphForm*> graphs = program.GraphWindows();
    QCOMPARE(graphs.size(), 1);
    const QStringList lines = graphs[0]->Lines();
    QCOMPARE(lines.constFirst(), QStringLiteral("Three"));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("Maximum Force (lbs.)=")));
    QCOMPARE(lines.count(QStringLiteral("D")), 2); // the first cycle's became the title
    QCOMPARE(lines.count(QStringLiteral("TM")), 3);
    QCOMPARE(lines.count(QStringLiteral("X,Y")), 3);
    QCOMPARE(lines.filter(QStringLiteral("QOR1000 Test Graph")),
             (QStringList{"QOR1000 Test Graph 2", "QOR1000 Test Graph 3"}));
    QCOMPARE(lines.constLast(), QStringLiteral("TM"));
    QCOMPARE(program.panel->CyclesCompleteMaskEdit->text(), QStringLiteral("3"));
    QCOMPARE(program.panel->RepeatCountMaskEdit->text(), QStringLiteral("1"));
    QVERIFY(!program.panel->RepeatCheckBox->isChecked());
}

QTEST_MAIN(TestTestFromControlPanel)
#include "tst_testfromcontrolpanel.moc"
