// Tests outlive the program: the program, run as a child process against qor-sim, is killed in the
// middle of a test; the next start offers the test back, and Open, a save or Discard settle it. A
// disk that fills up during a test is said once, and the test finishes.
#include "filesizelimit.h"
#include "logfile.h"
#include "programsession.h"
#include "temporarystartdirectory.h"

#include "graph/testfile.h"
#include "protocol/protocol.h"
#include "recovery/recoveredtestsbox.h"

#include <QFileDialog>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>

#include <cstdio>

namespace {

const QByteArray QorDat = "QOR-1000 installation\r\nPORT=COM1\r\n";
const char* const ChildOption = "--test-until-killed";

// Thirty records after the start reply; the machine never ends the test.
QStringList Records()
{
    QStringList records;
    for (int step = 1; step <= 30; ++step)
        records << QString::fromLatin1(EncodeDataRecord(step * 10, step * 3));
    return records;
}
const QStringList Collected = QStringList{"D", "QOR1000 Test Graph 1", "X,Y"} + Records();

void ServeScript(const TemporaryStartDirectory& start, const QStringList& replies)
{
    start.WriteFile(QStringLiteral("QOR.dat"), QorDat);
    start.WriteFile(QStringLiteral("replies.txt"), replies.join(u'\n').toLatin1() + '\n');
}

// The child: the program in the current directory, the operator pressing Test once the machine
// answers, and the number of lines in the panel's table told on standard output each time it
// changes, until the child is killed (or gives up after a minute).
int RunTestUntilKilled()
{
    Program program;
    TQORcontrolPanel& panel = *program.panel;
    qsizetype told = -1;
    QTimer operatorAtPanel;
    QObject::connect(&operatorAtPanel, &QTimer::timeout, [&] {
        if (panel.isVisible() && told == 1 && HasLine(panel, QStringLiteral("C")))
            panel.TestButton->click();
        if (panel.TestDataLines().size() != told) {
            told = panel.TestDataLines().size();
            std::printf("%lld\n", static_cast<long long>(told));
            std::fflush(stdout);
        }
    });
    operatorAtPanel.start(10);
    QTimer::singleShot(60000, &panel, &QDialog::reject);
    program.mainScreen->MenuFileNew->trigger();
    return 0;
}

// Runs the program as a child in the current directory, kills it with SIGKILL once its panel
// holds at least the given number of lines, and returns the number it told last.
qsizetype KillTestAfter(qsizetype lines)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {ChildOption});
    qsizetype told = 0;
    while (told < lines && child.waitForReadyRead(20000)) {
        while (child.canReadLine())
            told = child.readLine().trimmed().toLongLong();
    }
    child.kill();
    child.waitForFinished();
    return told;
}

// Lets a program just started make its offer of unsaved tests, answered as answer does; whether
// it came.
bool OfferedAtStart(const ModalAnswers::Answer& answer)
{
    bool offered = false;
    ModalAnswers answers({[&](QWidget* box) {
        offered = qobject_cast<TRecoveredTestsBox*>(box);
        answer(box);
    }});
    QTest::qWait(100);
    return offered;
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT
private slots:
    void killedTestIsOfferedOpenedAndSaved();
    void discardMovesTheTestAside();
    void fullDeviceIsSaidOnceAndTheTestFinishes();
};

void TestRecovery::killedTestIsOfferedOpenedAndSaved()
{
    TemporaryStartDirectory start;
    ServeScript(start, QStringList{"D"} + Records());
    QorSim qorSim(start.Path(), {"--script", "replies.txt", "--rate", "20"});
    QTRY_VERIFY(qorSim.Serving());
    const qsizetype told = KillTestAfter(3 + 10);
    QVERIFY(told >= 3 + 10);

    {
        Program program;
        program.mainScreen->show();
        QString offer;
        QVERIFY(OfferedAtStart([&offer](QWidget* box) {
            offer = qobject_cast<QMessageBox*>(box)->text();
            QTest::keyClick(box, Qt::Key_Return);
        }));
        QVERIFY2(offer.startsWith("1 test was not saved when the program last ended:\n"
                                  "    test in progress, begun "),
                 qPrintable(offer));
        QCOMPARE(program.GraphWindows().size(), 1);
        TGraphForm* graph = program.GraphWindows()[0];
        const QStringList recovered = graph->Lines();
        QVERIFY(recovered.size() >= told);
        QCOMPARE(recovered, Collected.first(recovered.size()));
        QVERIFY(graph->GraphDataMemo->document()->isModified());
        QCOMPARE(graph->windowTitle(),
                 "Recovered " + offer.right(19)); // the time of its first line

        // File > Save saves the recovered test at once.
        program.mainScreen->SaveDialog().setOption(QFileDialog::DontUseNativeDialog);
        ModalAnswers save({[](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText("recovered");
            QTest::keyClick(dialog, Qt::Key_Return);
        }});
        program.mainScreen->MenuFileSave->trigger();
        QCOMPARE(LoadTestFile("data/recovered.dat"), recovered);
        QVERIFY(!graph->GraphDataMemo->document()->isModified());
    }
    Program program;
    QVERIFY(!OfferedAtStart([](QWidget* box) { box->close(); }));
}

void TestRecovery::discardMovesTheTestAside()
{
    TemporaryStartDirectory start;
    ServeScript(start, QStringList{"D"} + Records());
    QorSim qorSim(start.Path(), {"--script", "replies.txt", "--rate", "20"});
    QTRY_VERIFY(qorSim.Serving());
    QVERIFY(KillTestAfter(3 + 2) >= 3 + 2);
    const QStringList kept = QDir("recovery").entryList({"*.rec"});
    QCOMPARE(kept.size(), 1);

    {
        Program program;
        QVERIFY(OfferedAtStart(
            [](QWidget* box) { box->findChild<QPushButton*>("RecoveryDiscardBtn")->click(); }));
        QVERIFY(program.GraphWindows().isEmpty());
    }
    QCOMPARE(QDir("recovery").entryList({"*.rec"}), QStringList());
    QCOMPARE(QDir("recovery/discarded").entryList({"*.rec"}), kept);
    Program program;
    QVERIFY(!OfferedAtStart([](QWidget* box) { box->close(); }));
}

void TestRecovery::fullDeviceIsSaidOnceAndTheTestFinishes()
{
    TemporaryStartDirectory start;
    ServeScript(start, QStringList{"D"} + Records() + QStringList{"TT"});
    QorSim qorSim(start.Path(), {"--script", "replies.txt", "--rate", "50"});
    QTRY_VERIFY(qorSim.Serving());

    Program program;
    QStringList said;
    QObject::connect(program.mainScreen->StatusBar, &QStatusBar::messageChanged,
                     [&said](const QString& message) {
                         if (message.startsWith("This test is not kept on disk"))
                             said << message;
                     });
    {
        const FileSizeLimit full(400);
        program.RunFromPanel(
            {MachineAnsweredContinuous, PressTest}, QStringLiteral("Full"),
            [&program] { program.panel->StatusTimerTimer(); }, 20, 60000);
    }
    QCOMPARE(said.size(), 1);
    QCOMPARE(program.GraphWindows().size(), 1);
    QCOMPARE(program.GraphWindows()[0]->Lines().mid(2), Collected.mid(2) + QStringList{"TT"});
    const QByteArray log = LogWithoutStamps("errors/recovery.errors.txt");
    QCOMPARE(log.count("\r\n"), 1);
    QVERIFY2(log.startsWith("<stamp>, Recovery: Cannot write file \"") &&
                 log.endsWith(". File too large\r\n"),
             log);
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], ChildOption) == 0)
        return RunTestUntilKilled();
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
