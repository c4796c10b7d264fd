// Machine | Configure Program and the two help commands, run from the real main window in a
// temporary start directory whose COM1 is a pseudo-terminal; outside programs are stand-ins.
#include "filebytes.h"
#include "filesizelimit.h"
#include "programsession.h"
#include "pseudoterminal.h"
#include "standin.h"
#include "temporarystartdirectory.h"

#include "config/configureprogram.h"
#include "dialogs/alertbox.h"
#include "serial/serialcomm.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QToolButton>

namespace {

// Answers a box the program shows: notes its title and texts, and closes it.
ModalAnswers::Answer NoteBox(QString& seen)
{
    return [&seen](QWidget* box) {
        if (auto* alert = qobject_cast<TAlertBox*>(box))
            seen = "AlertBox " + alert->AlertMessage1->text() + ' ' + alert->AlertMessage2->text();
        else
            seen = box->windowTitle() + ": " + box->property("text").toString();
        box->close();
    };
}

} // namespace

class TestConfigureAndHelp : public QObject
{
    Q_OBJECT
private slots:
    void configure_data();
    void configure();
    void helpCommands_data();
    void helpCommands();
};

void TestConfigureAndHelp::configure_data()
{
    // In order: the machine going or the disk filling, items and buttons clicked, keys, close box.
    QTest::addColumn<QString>("events");
    QTest::addColumn<QByteArray>("qorDat");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("after"); // the open port, the force axis of an open graph window

    const QByteArray file = "hdr\r\nPORT=COM1\r\nUNITS=ENGLISH\n' keep\r\nCOLORGRAPH=TRUE";
    const QByteArray longFile = file + "\r\n' " + QByteArray(200, '-');
    const QByteArray metric = "hdr\r\nPORT=COM1\r\nUNITS=METRIC\r\n' keep\r\nCOLORGRAPH=";
    QTest::newRow("OK reopens COM1, metric and black")
        << "Blk/Wht Metric OK" << file << "" << metric + "FALSE\r\n"
        << "COM1 Force (kg)";
    QTest::newRow("Enter in a radio group is OK")
        << "Metric Blk/Wht Enter" << file << "" << metric + "FALSE\r\n"
        << "COM1 Force (kg)";
    for (const QString leave : {"Cancel", "Escape", "close"})
        QTest::newRow(qPrintable(leave))
            << "COM2 Metric " + leave << file << "" << file << "COM1 Force (lbs.)";
    QTest::newRow("port that cannot open: alert, PORT=COM0")
        << "COM3 OK" << file
        << "AlertBox The new Serial Port is not available. Functions requiring QOR communications "
           "will be disabled."
        << QByteArray("hdr\r\nPORT=COM0\r\nUNITS=ENGLISH\r\n' keep\r\nCOLORGRAPH=TRUE\r\n")
        << " Force (lbs.)";
    QTest::newRow("no port shown while one is open: it opens again")
        << "Metric OK" << QByteArray("hdr\r\nPORT=COM0\r\nPORT=COM1\r\n") << ""
        << QByteArray("hdr\r\nPORT=COM0\r\nPORT=COM1\r\nCOLORGRAPH=TRUE\r\nUNITS=METRIC\r\n")
        << "COM1 Force (kg)";
    QTest::newRow("disk full: the file's failure reported, old file whole, port open")
        << "disk-full Metric OK" << longFile
        << "tst_configureandhelp: Cannot write file \"<dir>/QOR.dat\". File too large" << longFile
        << "COM1 Force (kg)";
    QTest::newRow("machine gone: its port cannot close, the choices apply")
        << "machine-gone Metric OK" << file << "" << metric + "TRUE\r\n"
        << "COM1 Force (kg)";
}

void TestConfigureAndHelp::configure()
{
    QFETCH(QString, events);
    QFETCH(QByteArray, qorDat);
    QFETCH(QString, told);
    QFETCH(QByteArray, written);
    QFETCH(QString, after);
    const bool machineGone = events.startsWith("machine-gone");

    TemporaryStartDirectory start;
    PseudoTerminal terminal;
    QVERIFY(QFile::link(terminal.DevicePath(), start.Path() + "/COM1"));
    const auto closePort = qScopeGuard([] {
        if (!PortName.isEmpty())
            SerialComm::PortClose(PortName);
    });
    start.WriteFile(QStringLiteral("QOR.dat"), qorDat);
    const auto screen = StartForms<TMainScreen>();
    auto* graph = new TGraphForm;
    graph->SetLines({"Title", "", "X,Y", "0100,0050", "TT"});
    screen->AddGraphWindow(graph); // the main window is not shown: the graph never paints
    if (machineGone) {
        terminal.CloseOtherSide();
        QTest::qWait(100); // the port notices and closes
    }

    const ModalAnswers::Answer operate = [&](QWidget* dialog) {
        // From the event loop, so that the boxes OK raises get their answers.
        QTimer::singleShot(0, dialog, [&, dialog] {
            for (const QString& word : events.split(' ')) {
                for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                    if (button->text() == word)
                        button->click();
                if (word == "close")
                    dialog->close();
                else if (word == "Enter" || word == "Escape") // in a radio group
                    QTest::keyClick(dialog->findChild<QRadioButton*>(),
                                    word == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
            }
        });
    };
    QString seen;
    {
        // Room for the serial port's lock file, not for the whole QOR.dat.
        std::optional<FileSizeLimit> disk;
        if (events.startsWith("disk-full"))
            disk.emplace(128);
        ModalAnswers answering(told.isEmpty() ? QList{operate} : QList{operate, NoteBox(seen)});
        screen->MenuMachineConfigureProgram->trigger();
        QVERIFY(answering.AllAnswered());
        QVERIFY(!answering.WatchdogFired());
    }
    QCOMPARE(seen, told.replace("<dir>", start.Path()));
    QCOMPARE(ReadBytes(start.Path() + "/QOR.dat"), written);
    QCOMPARE(PortName + ' ' + graph->GraphChart->chart()->axes(Qt::Vertical)[0]->titleText(),
             after);
    QCOMPARE(screen->MenuFileNew->isEnabled(), !PortName.isEmpty());
    if (!PortName.isEmpty() && !machineGone) { // it works, closed and opened again
        SerialComm::PortSend(PortName, "H\r");
        QCOMPARE(terminal.Receive(2), QByteArray("H\r"));
    }
}

void TestConfigureAndHelp::helpCommands_data()
{
    QTest::addColumn<QString>("command");   // a menu item or a speed button
    QTest::addColumn<int>("archiver");      // the stand-in's exit code; -1: no archiver
    QTest::addColumn<QString>("directory"); // DIRECTORY DIAGNOSTIC and MANUALVIEWER
    QTest::addColumn<QString>("told");      // in a box or in the status bar
    QTest::addColumn<QStringList>("calls"); // stand-in: folder it ran in, arguments
    QTest::addColumn<bool>("waitCursor");   // shown while the archiver ran

    const QString diag = "<dir>/diag";
    const QString made = "Status bar: Diagnostic information compressed to %1/QOR1000.errors.cab";
    const QStringList archived{"cabarc", "<dir>",      "n", "%1\\QOR1000.errors.cab",
                               "*.dat",  "errors\\*.*"};
    QTest::newRow("archive made") << "SpeedCompDiagInfoBtn" << 0 << diag << made.arg(diag)
                                  << QStringList(archived).replaceInStrings("%1", diag) << true;
    QTest::newRow("drive root") << "MenuHelpCompDiagInfo" << 0 << "A:\\" << made.arg("<dir>/A:")
                                << QStringList(archived).replaceInStrings("%1", "A:\\") << true;
    QTest::newRow("archiver fails")
        << "MenuHelpCompDiagInfo" << 1 << diag
        << "Error: Could not write the diagnostic archive <dir>/diag/QOR1000.errors.cab!\n"
           "cabarc: failed on purpose"
        << QStringList() << true;
    QTest::newRow("no archiver") << "MenuHelpCompDiagInfo" << -1 << diag
                                 << "Error: Could not find or start CABARC.EXE program!"
                                 << QStringList() << true;
    QTest::newRow("viewer in a folder with blanks")
        << "SpeedViewManualBtn" << -1 << "<dir>/Program Files\\viewer.exe" << QString()
        << QStringList{"Program Files/viewer", "<dir>", "QOR1000.Manual.pdf"} << false;
    QTest::newRow("viewer named without extension: .EXE")
        << "MenuHelpViewManual" << -1 << "show" << QString()
        << QStringList{"show.EXE", "<dir>", "QOR1000.Manual.pdf"} << false;
    QTest::newRow("viewer found as .BAT: through COMSPEC")
        << "MenuHelpViewManual" << -1 << "open" << QString()
        << QStringList{"comspec", "<dir>", "/c", "<dir>/open.BAT", "QOR1000.Manual.pdf"} << false;
    QTest::newRow("no viewer: installer unpacked and started")
        << "MenuHelpViewManual" << 1 << "missing"
        << "Message: Manual viewer program installed, please click manual button again."
        << QStringList{"AdbeRdr/setup.exe", "<dir>"} << true;
    QTest::newRow("viewer only along the search path, no archiver")
        << "MenuHelpViewManual" << -1 << "sh"
        << "Error: Could not find or install the manual viewer program!" << QStringList() << true;
}

void TestConfigureAndHelp::helpCommands()
{
    QFETCH(QString, command);
    QFETCH(int, archiver);
    QFETCH(QString, directory);
    QFETCH(QString, told);
    QFETCH(QStringList, calls);
    QFETCH(bool, waitCursor);

    TemporaryStartDirectory start;
    const QString dir = start.Path();
    start.WriteFile(QStringLiteral("QOR.dat"), "hdr\r\n");
    const auto screen = StartForms<TMainScreen>();
    DiagnosticDirectory = ManualViewerPath = directory.replace("<dir>", dir);
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
    QString seen;
    const ModalAnswers answering({NoteBox(seen)});
    if (auto* item = screen->findChild<QAction*>(command))
        item->trigger();
    else
        screen->findChild<QToolButton*>(command)->click();
    if (auto* outcome = screen->StatusBar->findChild<QLabel*>();
        outcome && !outcome->text().isEmpty())
        seen += "Status bar: " + outcome->text();
    QCOMPARE(seen, told.replace("<dir>", dir));
    QCOMPARE(QDir::currentPath(), dir);
    QTRY_VERIFY(cursorSeen != -2);
    QCOMPARE(cursorSeen, waitCursor ? int(Qt::WaitCursor) : -1);
    QVERIFY(!QApplication::overrideCursor());
    if (!calls.isEmpty()) { // what the stand-in wrote: the folder it ran in, its arguments
        const QString log = dir + '/' + calls.takeFirst() + ".log";
        calls.replaceInStrings("<dir>", dir);
        QTRY_COMPARE(QString::fromLocal8Bit(ReadBytes(log)).split('\n', Qt::SkipEmptyParts), calls);
    }
}

QTEST_MAIN(TestConfigureAndHelp)
#include "tst_configureandhelp.moc"
