// Machine | Configure Program and the two help commands, run from the real main window in a
// temporary start directory whose COM1 is a pseudo-terminal; outside programs are stand-ins.
#include "filebytes.h"
#include "filesizelimit.h"
#include "modalanswers.h"
#include "pseudoterminal.h"
#include "standin.h"
#include "temporarystartdirectory.h"

#include "app/mainscreen.h"
#include "config/configureprogram.h"
#include "config/initializingbox.h"
#include "config/settings.h"
#include "dialogs/alertbox.h"
#include "graph/graphform.h"
#include "platform/radiogroup.h"
#include "platform/termination.h"
#include "serial/serialcomm.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

const QString PortAlert =
    QStringLiteral("AlertBox The new Serial Port is not available. "
                   "Functions requiring QOR communications will be disabled.");

// A box the program showed: its name and texts.
QString Describe(QWidget* box)
{
    if (auto* alert = qobject_cast<TAlertBox*>(box))
        return "AlertBox " + alert->AlertMessage1->text() + ' ' + alert->AlertMessage2->text();
    if (auto* message = qobject_cast<QMessageBox*>(box))
        return message->windowTitle() + ": " + message->text();
    return box->objectName();
}

} // namespace

class TestConfigureAndHelp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void configure_data();
    void configure();
    void helpCommands_data();
    void helpCommands();

private:
    std::unique_ptr<TMainScreen> Start(const QByteArray& qorDat);

    QTemporaryDir runtime_;
    std::unique_ptr<TemporaryStartDirectory> start_;
    std::unique_ptr<PseudoTerminal> terminal_;
};

void TestConfigureAndHelp::initTestCase()
{
    // A private runtime directory: a program running beside the tests is not a second instance.
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
}

void TestConfigureAndHelp::init()
{
    Termination::Withdraw();
    PortName.clear();
    ColorGraph = true;
    ApplyUnits(true);
    start_ = std::make_unique<TemporaryStartDirectory>();
    terminal_ = std::make_unique<PseudoTerminal>();
    QVERIFY(QFile::link(terminal_->DevicePath(), start_->Path() + "/COM1"));
}

void TestConfigureAndHelp::cleanup()
{
    if (!PortName.isEmpty())
        SerialComm::PortClose(PortName);
    terminal_.reset();
    start_.reset();
}

std::unique_ptr<TMainScreen> TestConfigureAndHelp::Start(const QByteArray& qorDat)
{
    start_->WriteFile(QStringLiteral("QOR.dat"), qorDat);
    ModalAnswers answers({[](QWidget* modal) {
        auto* box = qobject_cast<TInitializingBox*>(modal);
        if (box->IgnoreBitBtn->isEnabled())
            box->IgnoreBitBtn->click();
        else
            box->Timer1->setInterval(0);
    }});
    auto screen = std::make_unique<TMainScreen>();
    if (!answers.AllAnswered())
        QTest::qFail("The start-up dialog was not answered", __FILE__, __LINE__);
    return screen;
}

void TestConfigureAndHelp::configure_data()
{
    QTest::addColumn<QString>("leave"); // OK, Enter (in a radio group), Cancel, Escape, close
    QTest::addColumn<QByteArray>("qorDat");
    QTest::addColumn<QString>("choose");   // the items the operator clicks
    QTest::addColumn<bool>("machineGone"); // the port's other side closed before the dialog
    QTest::addColumn<int>("diskRoom");     // bytes a file may grow to; 0: no limit
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<bool>("portOpen"); // COM1 open afterwards, the machine commands enabled
    QTest::addColumn<bool>("metric");   // on the force axis of a graph window open all along

    const QByteArray file = "hdr\r\nPORT=COM1\r\nUNITS=ENGLISH\n' keep\r\nCOLORGRAPH=TRUE";
    const QByteArray metric = "hdr\r\nPORT=COM1\r\nUNITS=METRIC\r\n' keep\r\nCOLORGRAPH=FALSE\r\n";
    const QStringList none;
    QTest::newRow("OK reopens COM1, metric and black")
        << "OK" << file << "Blk/Wht Metric" << false << 0 << none << metric << true << true;
    QTest::newRow("Enter in a radio group is OK")
        << "Enter" << file << "Metric Blk/Wht" << false << 0 << none << metric << true << true;
    for (const char* leave : {"Cancel", "Escape", "close"})
        QTest::newRow(leave) << leave << file << "COM2 Metric" << false << 0 << none << file << true
                             << false;
    QTest::newRow("port that cannot open: alert, PORT=COM0")
        << "OK" << file << "COM3" << false << 0 << QStringList{PortAlert}
        << QByteArray("hdr\r\nPORT=COM0\r\nUNITS=ENGLISH\r\n' keep\r\nCOLORGRAPH=TRUE\r\n") << false
        << false;
    QTest::newRow("no port shown while one is open: it opens again")
        << "OK" << QByteArray("hdr\r\nPORT=COM0\r\nPORT=COM1\r\n") << "Metric" << false << 0 << none
        << QByteArray("hdr\r\nPORT=COM0\r\nPORT=COM1\r\nCOLORGRAPH=TRUE\r\nUNITS=METRIC\r\n")
        << true << true;
    // Room for the serial port's lock file, not for the whole QOR.dat.
    const QByteArray longFile = file + "\r\n' " + QByteArray(200, '-');
    QTest::newRow("disk full: the file's failure reported, old file whole, port open")
        << "OK" << longFile << "Metric" << false << 128
        << QStringList{"tst_configureandhelp: Cannot write file \"<dir>/QOR.dat\". File too large"}
        << longFile << true << true;
    QTest::newRow("machine gone: its port cannot close, the choices apply")
        << "OK" << file << "Metric" << true << 0 << none
        << QByteArray("hdr\r\nPORT=COM1\r\nUNITS=METRIC\r\n' keep\r\nCOLORGRAPH=TRUE\r\n") << true
        << true;
}

void TestConfigureAndHelp::configure()
{
    QFETCH(QString, leave);
    QFETCH(QByteArray, qorDat);
    QFETCH(QString, choose);
    QFETCH(bool, machineGone);
    QFETCH(int, diskRoom);
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, written);
    QFETCH(bool, portOpen);
    QFETCH(bool, metric);
    boxes.replaceInStrings("<dir>", start_->Path());

    auto screen = Start(qorDat);
    auto* graph = new TGraphForm;
    graph->SetLines({"Title", "", "X,Y", "0100,0050", "TT"});
    screen->AddGraphWindow(graph); // the main window is not shown: the graph never paints
    if (machineGone) {
        terminal_->CloseOtherSide();
        QTest::qWait(100); // the port notices and closes
    }

    QStringList seenBoxes;
    QList<ModalAnswers::Answer> answers{[&](QWidget* modal) {
        auto* dialog = qobject_cast<TConfigureProgram*>(modal);
        for (QRadioButton* item : dialog->findChildren<QRadioButton*>())
            if (choose.split(' ').contains(item->text()))
                item->click();
        // Left from the event loop, so that the boxes it raises get their answers.
        QTimer::singleShot(0, dialog, [dialog, leave] {
            if (leave == "OK")
                dialog->OKBtn->click();
            else if (leave == "Cancel")
                dialog->CancelBtn->click();
            else if (leave == "close")
                dialog->close();
            else
                QTest::keyClick(dialog->UnitsRadioGroup->Item(1),
                                leave == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        });
    }};
    for (qsizetype box = 0; box < boxes.size(); ++box)
        answers << [&](QWidget* modal) {
            seenBoxes << Describe(modal);
            modal->close();
        };
    {
        std::optional<FileSizeLimit> disk;
        if (diskRoom > 0)
            disk.emplace(diskRoom);
        ModalAnswers answering(answers);
        screen->MenuMachineConfigureProgram->trigger();
        QVERIFY(answering.AllAnswered());
        QVERIFY(!answering.WatchdogFired());
    }
    QCOMPARE(seenBoxes, boxes);
    QCOMPARE(ReadBytes(start_->Path() + "/QOR.dat"), written);
    QCOMPARE(PortName, portOpen ? "COM1" : "");
    QCOMPARE(screen->MenuFileNew->isEnabled(), portOpen);
    QCOMPARE(screen->SpeedNewBtn->isEnabled(), portOpen);
    QCOMPARE(graph->GraphChart->chart()->axes(Qt::Vertical).value(0)->titleText(),
             metric ? "Force (kg)" : "Force (lbs.)");
    if (portOpen && !machineGone) { // the port works after it was closed and opened again
        SerialComm::PortSend(PortName, "H\r");
        QCOMPARE(terminal_->Receive(2), QByteArray("H\r"));
    }
}

void TestConfigureAndHelp::helpCommands_data()
{
    QTest::addColumn<QString>("command");   // a menu item or a speed button
    QTest::addColumn<int>("archiver");      // the stand-in's exit code; -1: no archiver
    QTest::addColumn<QString>("directory"); // DIRECTORY DIAGNOSTIC and MANUALVIEWER
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("calls"); // stand-in: folder it ran in, arguments
    QTest::addColumn<bool>("waitCursor");   // shown while the archiver ran

    const QString diag = "<dir>/diag";
    const QString made = "Diagnostic information compressed to %1/QOR1000.errors.cab";
    const QString noBox;
    const QStringList archived{"cabarc", "<dir>",      "n", "%1\\QOR1000.errors.cab",
                               "*.dat",  "errors\\*.*"};
    const QString noViewer = "Error: Could not find or install the manual viewer program!";
    QTest::newRow("archive made") << "SpeedCompDiagInfoBtn" << 0 << diag << noBox << made.arg(diag)
                                  << QStringList(archived).replaceInStrings("%1", diag) << true;
    QTest::newRow("drive root") << "MenuHelpCompDiagInfo" << 0 << "A:\\" << noBox
                                << made.arg("<dir>/A:")
                                << QStringList(archived).replaceInStrings("%1", "A:\\") << true;
    QTest::newRow("archiver fails")
        << "MenuHelpCompDiagInfo" << 1 << diag
        << "Error: Could not write the diagnostic archive <dir>/diag/QOR1000.errors.cab!\nCheck "
           "that its folder, the DIRECTORY DIAGNOSTIC line of QOR.dat, exists and has room."
        << QString() << QStringList{} << true;
    QTest::newRow("no archiver") << "MenuHelpCompDiagInfo" << -1 << diag
                                 << "Error: Could not find or start CABARC.EXE program!"
                                 << QString() << QStringList{} << true;
    QTest::newRow("viewer in a folder with blanks")
        << "SpeedViewManualBtn" << -1 << "<dir>/Program Files\\viewer.exe" << noBox << QString()
        << QStringList{"Program Files/viewer", "<dir>", "QOR1000.Manual.pdf"} << false;
    QTest::newRow("viewer named without extension: .EXE")
        << "MenuHelpViewManual" << -1 << "show" << noBox << QString()
        << QStringList{"show.EXE", "<dir>", "QOR1000.Manual.pdf"} << false;
    QTest::newRow("viewer found as .BAT: through COMSPEC")
        << "MenuHelpViewManual" << -1 << "open" << noBox << QString()
        << QStringList{"comspec", "<dir>", "/c", "<dir>/open.BAT", "QOR1000.Manual.pdf"} << false;
    QTest::newRow("no viewer: installer unpacked and started")
        << "MenuHelpViewManual" << 1 << "missing"
        << "Message: Manual viewer program installed, please click manual button again."
        << QString() << QStringList{"AdbeRdr/setup.exe", "<dir>"} << true;
    QTest::newRow("viewer only along the search path, no archiver")
        << "MenuHelpViewManual" << -1 << "sh" << noViewer << QString() << QStringList{} << true;
}

void TestConfigureAndHelp::helpCommands()
{
    QFETCH(QString, command);
    QFETCH(int, archiver);
    QFETCH(QString, directory);
    QFETCH(QString, box);
    QFETCH(QString, status);
    QFETCH(QStringList, calls);
    QFETCH(bool, waitCursor);

    const QString dir = start_->Path();
    for (QString* text : {&directory, &box, &status})
        text->replace("<dir>", dir);
    calls.replaceInStrings("<dir>", dir);
    auto screen = Start("hdr\r\n");
    DiagnosticDirectory = ManualViewerPath = directory;
    if (archiver >= 0)
        WriteStandIn(dir + "/cabarc", archiver);
    for (const char* viewer : {"Program Files/viewer", "show.EXE", "open.BAT", "comspec"})
        WriteStandIn(dir + '/' + viewer, 0);
    qputenv("COMSPEC", (dir + "/comspec").toLocal8Bit());

    QTemporaryDir elsewhere; // where a file dialog may have left the current directory
    QDir::setCurrent(elsewhere.path());
    int cursorSeen = -2;
    QTimer::singleShot(0, screen.get(), [&] {
        cursorSeen = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1;
    });
    QStringList seenBoxes;
    const QStringList boxes = box.isEmpty() ? QStringList{} : QStringList{box};
    ModalAnswers answering(QList<ModalAnswers::Answer>(boxes.size(), [&](QWidget* modal) {
        seenBoxes << Describe(modal);
        modal->close();
    }));
    if (auto* item = screen->findChild<QAction*>(command))
        item->trigger();
    else
        screen->findChild<QToolButton*>(command)->click();
    QVERIFY(answering.AllAnswered());
    QCOMPARE(seenBoxes, boxes);
    QCOMPARE(QDir::currentPath(), dir);
    auto* outcome = screen->StatusBar->findChild<QLabel*>();
    QCOMPARE(outcome ? outcome->text() : QString(), status);
    QTRY_VERIFY(cursorSeen != -2);
    QCOMPARE(cursorSeen, waitCursor ? int(Qt::WaitCursor) : -1);
    QVERIFY(!QApplication::overrideCursor());
    if (!calls.isEmpty()) {
        const QString log = dir + '/' + calls.takeFirst() + ".log";
        QTRY_COMPARE(StandInCall(log), calls);
    }
}

QTEST_MAIN(TestConfigureAndHelp)
#include "tst_configureandhelp.moc"
