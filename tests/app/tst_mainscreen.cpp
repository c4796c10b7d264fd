#include "app/dialogs/aboutbox.h"
#include "app/mainscreen.h"
#include "config/initializingbox.h"
#include "graph/graphform.h"
#include "modalanswers.h"
#include "platform/instancelock.h"
#include "platform/termination.h"
#include "program/settings.h"
#include "scriptedseriallibrary.h"
#include "temporarystartdirectory.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// Answers the unsaved-test question of a graph window that is asked to close.
ModalAnswers::Answer CloseQueryAnswer(const char* button)
{
    return [button](QWidget* alert) { alert->findChild<QPushButton*>(button)->click(); };
}

// Lets the start-up dialog go: Ignore after a configuration error, else its timer fires now.
void LetStartUpGo(QWidget* modal)
{
    auto* box = qobject_cast<TInitializingBox*>(modal);
    QVERIFY(box);
    if (box->IgnoreBitBtn->isEnabled())
        box->IgnoreBitBtn->click();
    else
        box->Timer1->setInterval(0);
}

// One line per action: its name and caption, "(off)" when disabled; "-" for a separator.
QStringList Describe(const QList<QAction*>& actions)
{
    QStringList lines;
    for (const QAction* action : actions) {
        const QString name = action->menu() ? action->menu()->objectName() : action->objectName();
        lines << (action->isSeparator()
                      ? QStringLiteral("-")
                      : name + ' ' + action->text() + (action->isEnabled() ? "" : " (off)"));
    }
    return lines;
}

// Graph windows in the frame, the first ones holding an unsaved test.
QList<QPointer<TGraphForm>> AddGraphWindows(TMainScreen& screen, int unsaved, int saved)
{
    QList<QPointer<TGraphForm>> windows;
    for (int i = 0; i < unsaved + saved; ++i) {
        auto* form = new TGraphForm;
        form->GraphDataMemo->document()->setModified(i < unsaved);
        screen.AddGraphWindow(form);
        windows.append(form);
    }
    return windows;
}

} // namespace

class TestMainScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void titleBlock();
    void menus();
    void speedButtons();
    void statusBarFollowsTheHint();
    void machineCommandsFollowThePort_data();
    void machineCommandsFollowThePort();
    void activeGraphWindowSetsWindowSaveAndPrint();
    void graphWindowClientKeepsItsSize();
    void windowCommandsArrangeTheChildren();
    void exitIsRefusedWhileAChildRefuses();
    void exitAsksEveryUnsavedWindowBeforeClosingAny_data();
    void exitAsksEveryUnsavedWindowBeforeClosingAny();
    void destroyingTheFrameFreesOpenGraphWindowsUnasked();
    void secondInstanceEndsBeforeReadingTheConfiguration();
    void lockThatCannotBeMadeIsReportedAndTheProgramStarts();

private:
    std::unique_ptr<TMainScreen> Start(const QByteArray& qorDat);

    QTemporaryDir runtime_;
    ScriptedSerialLibrary* serial_ = nullptr;
    std::unique_ptr<TemporaryStartDirectory> start_;
};

void TestMainScreen::initTestCase()
{
    // A private runtime directory: a running program must not look like a second instance here.
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
}

void TestMainScreen::init()
{
    serial_ = new ScriptedSerialLibrary;
    InstallSerialLibrary(serial_);
    PortName.clear();
    Termination::Withdraw();
    start_ = std::make_unique<TemporaryStartDirectory>();
}

void TestMainScreen::cleanup()
{
    start_.reset();
    InstallSerialLibrary(nullptr);
    delete serial_;
}

std::unique_ptr<TMainScreen> TestMainScreen::Start(const QByteArray& qorDat)
{
    start_->WriteFile(QStringLiteral("QOR.dat"), qorDat);
    ModalAnswers answers({LetStartUpGo});
    auto screen = std::make_unique<TMainScreen>();
    if (!answers.AllAnswered() || answers.WatchdogFired())
        QTest::qFail("The start-up dialog was not answered", __FILE__, __LINE__);
    return screen;
}

void TestMainScreen::titleBlock()
{
    StartDirectory.clear();
    auto screen = Start("header\r\n");
    QCOMPARE(screen->windowTitle(), QStringLiteral("QOR-1000"));
    QCOMPARE(screen->HeadingVerDate->text(), QStringLiteral("Ver Win 2.2.3 - 25 Feb, 2006"));
    QCOMPARE(screen->HeadingProgramName->text(), QStringLiteral("Velmont 1000"));
    QCOMPARE(VersionText, QStringLiteral("Ver Win 2.2.3 - 25 Feb, 2006"));
    QCOMPARE(StartDirectory, start_->Path());
    QCOMPARE(screen->TitleBlock->height(), 57);
    for (const char* name :
         {"TitleBlock", "HeadingName", "HeadingAddress", "HeadingPhone", "HeadingVerDate",
          "HeadingProgramName", "SpeedBar", "StatusBar", "ConvertGraphDataMemo", "Menu"})
        QVERIFY2(screen->findChild<QObject*>(QLatin1String(name)), name);
    // The file dialogs are made when first used, and kept.
    QVERIFY(!screen->findChild<QFileDialog*>());
    for (QFileDialog* dialog : {&screen->OpenDialog(), &screen->SaveDialog()})
        QCOMPARE(screen->findChild<QFileDialog*>(dialog->objectName()), dialog);
    QVERIFY(screen->findChild<TAboutBox*>()); // the hidden one, kept for the window's life
}

void TestMainScreen::menus()
{
    auto screen = Start("header\r\n");
    const QList<QAction*> bar = screen->menuBar()->actions();
    QCOMPARE(Describe(bar),
             QStringList({"MenuFile &File", "MenuMachine &Machine", "MenuPassword &Password (off)",
                          "MenuResults &Results", "MenuLibrary &Library", "MenuWindow &Window (off)",
                          "MenuHelp &Help"}));
    const QList<QStringList> items = {
        {"MenuFileNew &New Test File (off)", "MenuFileOpen &Open Test File",
         "MenuFileOpenMultiple Open &Multiple Test File", "MenuFileSave &Save Test File (off)", "-",
         "MenuFilePrint &Print (off)", "MenuFilePrintSetup P&rint Setup...", "-",
         "MenuFileExit E&xit"},
        {"MenuMachineConfigureProgram &Configure Program",
         "MenuMachineQORControlPanel &QOR Control Panel (off)"},
        {"MenuPasswordEnabled &Enabled"},
        {"MenuResultsPanel Results &Panel", "MenuResultsMethod &Method...", "-",
         "MenuResultsPrintReport Print &Report (off)",
         "MenuResultsExportReport &Export Report (PDF)... (off)", "-",
         "MenuResultsMarkGraphs Mark &Break and Stiffness on Graphs"},
        {"MenuLibraryTestLibrary &Test Library", "MenuLibraryAddFolder &Add Folder..."},
        {"MenuWindowTile &Tile", "MenuWindowCascade &Cascade", "MenuWindowNext &Next",
         "MenuWindowPrevious &Previous", "MenuWindowArrangeIcons &Arrange Icons"},
        {"MenuHelpAbout &About...", "MenuHelpCompDiagInfo &Compress Diagnostic Info.",
         "MenuHelpViewManual &View Manual"}};
    for (qsizetype i = 0; i < items.size(); ++i)
        QCOMPARE(Describe(bar.at(i)->menu()->actions()), items.at(i));
}

void TestMainScreen::speedButtons()
{
    auto screen = Start("header\r\n");
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    QList<QToolButton*> buttons = screen->SpeedBar->findChildren<QToolButton*>();
    std::ranges::sort(buttons, {}, [](const QToolButton* button) { return button->x(); });
    QStringList described;
    for (const QToolButton* button : buttons) {
        described << button->objectName() + '|' + button->toolTip() + '|' + button->statusTip() +
                         (button->isEnabled() ? "" : "|off");
        QCOMPARE(button->size(), QSize(25, 25));
        QVERIFY(!button->icon().isNull());
    }
    QCOMPARE(
        described,
        QStringList({"SpeedNewBtn|New Test|Create a New Test|off",
                     "SpeedOpenBtn|Open Test|Open an Existing Test File",
                     "SpeedOpenMultipleBtn|Open Multiple Tests|Open Multiple Existing Test Files",
                     "SpeedSaveAsBtn|Save Test As|Save Test File as/to Device|off",
                     "SpeedPrintBtn|Print Graph|Print the Active Window's Graph|off",
                     "SpeedViewManualBtn|View Manual|View Manual",
                     "SpeedCompDiagInfoBtn|Compress Diagnostic Info.|Compress Diagnostic "
                     "Information"}));
}

void TestMainScreen::statusBarFollowsTheHint()
{
    auto screen = Start("header\r\n");
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    QTest::mouseMove(screen->SpeedOpenBtn);
    QTRY_COMPARE(screen->StatusBar->currentMessage(), QStringLiteral("Open an Existing Test File"));
}

void TestMainScreen::machineCommandsFollowThePort_data()
{
    QTest::addColumn<QByteArray>("qorDat");
    QTest::addColumn<bool>("openFails");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("port opened") << QByteArray("header\r\nPORT=COM1\r\n") << false << true;
    QTest::newRow("no port line") << QByteArray("header\r\nUNITS=METRIC\r\n") << false << false;
    QTest::newRow("port fails to open") << QByteArray("header\r\nPORT=COM2\r\n") << true << false;
    QTest::newRow("no QOR.dat") << QByteArray() << false << false;
    QTest::newRow("bad units line, good port")
        << QByteArray("header\r\nPORT=COM1\r\nUNITS=metric\r\n") << false << true;
}

void TestMainScreen::machineCommandsFollowThePort()
{
    QFETCH(QByteArray, qorDat);
    QFETCH(bool, openFails);
    QFETCH(bool, enabled);

    if (openFails)
        serial_->AlwaysAnswer(ScriptedSerialLibrary::OpenOrdinal, -2);
    auto screen = Start(qorDat);
    QCOMPARE(screen->MenuFileNew->isEnabled(), enabled);
    QCOMPARE(screen->MenuMachineQORControlPanel->isEnabled(), enabled);
    QCOMPARE(screen->SpeedNewBtn->isEnabled(), enabled);
    // Everything that needs no machine stays usable.
    QVERIFY(screen->MenuFileOpen->isEnabled());
    QVERIFY(screen->MenuMachineConfigureProgram->isEnabled());
    QVERIFY(screen->SpeedViewManualBtn->isEnabled());

    // The configure dialog clears the port when a new one fails: the commands follow at once.
    PortName.clear();
    screen->UpdateMachineCommands();
    QVERIFY(!screen->MenuFileNew->isEnabled());
    QVERIFY(!screen->MenuMachineQORControlPanel->isEnabled());
    QVERIFY(!screen->SpeedNewBtn->isEnabled());
}

void TestMainScreen::activeGraphWindowSetsWindowSaveAndPrint()
{
    auto screen = Start("header\r\n");
    screen->show();
    QAction* windowMenu = screen->MenuWindow->menuAction();
    QVERIFY(!windowMenu->isEnabled());

    // Some other child (not a graph window) changes nothing.
    screen->AddGraphWindow(new QWidget);
    QVERIFY(!windowMenu->isEnabled());

    QVERIFY(!screen->MenuFileSave->isEnabled());
    QVERIFY(!screen->MenuFilePrint->isEnabled());

    screen->AddGraphWindow(new TGraphForm);
    QVERIFY(windowMenu->isEnabled());
    QVERIFY(screen->MenuFileSave->isEnabled());
    QVERIFY(screen->SpeedSaveAsBtn->isEnabled());
    QVERIFY(screen->MenuFilePrint->isEnabled());

    // Closing every window leaves the Window menu open and the commands as they were.
    screen->MdiArea->closeAllSubWindows();
    QTRY_VERIFY(screen->MdiArea->subWindowList().isEmpty());
    QVERIFY(windowMenu->isEnabled());
    QVERIFY(screen->MenuFileSave->isEnabled());
}

void TestMainScreen::graphWindowClientKeepsItsSize()
{
    auto screen = Start("header\r\n");
    screen->resize(1000, 800);
    screen->show();
    auto* form = new TGraphForm;
    form->resize(420, 310);
    screen->AddGraphWindow(form);
    QMdiSubWindow* child = screen->MdiArea->subWindowList().value(0);
    QVERIFY(child);
    QVERIFY(child->isVisible());
    QCOMPARE(child->widget(), form);
    QCOMPARE(form->size(), QSize(420, 310));

    QSignalSpy freed(child, &QObject::destroyed);
    child->close();
    QVERIFY(freed.wait());
}

void TestMainScreen::windowCommandsArrangeTheChildren()
{
    auto screen = Start("header\r\n");
    screen->resize(1000, 800);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    auto addChild = [&] {
        auto* form = new TGraphForm;
        form->resize(200, 150);
        screen->AddGraphWindow(form);
    };
    addChild();
    addChild();

    // Tile: two children side by side, each the area's full height, together its full width.
    screen->MenuWindowTile->trigger();
    const QSize area = screen->MdiArea->viewport()->size();
    QList<QMdiSubWindow*> byX = screen->MdiArea->subWindowList();
    std::ranges::sort(byX, {}, [](const QMdiSubWindow* child) { return child->x(); });
    QCOMPARE(byX.at(0)->geometry(), QRect(0, 0, byX.at(1)->x(), area.height()));
    QCOMPARE(byX.at(1)->geometry(),
             QRect(byX.at(1)->x(), 0, area.width() - byX.at(1)->x(), area.height()));
    QVERIFY(qAbs(byX.at(1)->x() - area.width() / 2) <= 2);

    addChild();
    const QList<QMdiSubWindow*> children = screen->MdiArea->subWindowList();
    QCOMPARE(children.size(), 3);

    // Cascade: each one lower and further right than the one before.
    screen->MenuWindowCascade->trigger();
    QList<QMdiSubWindow*> byY = children;
    std::ranges::sort(byY, {}, [](const QMdiSubWindow* child) { return child->y(); });
    QVERIFY(byY.at(0)->pos().x() < byY.at(1)->pos().x());
    QVERIFY(byY.at(0)->pos().y() < byY.at(1)->pos().y());
    QVERIFY(byY.at(1)->pos().x() < byY.at(2)->pos().x());

    // Next and Previous walk through the children and back.
    QMdiSubWindow* first = screen->MdiArea->activeSubWindow();
    QVERIFY(first);
    screen->MenuWindowNext->trigger();
    QMdiSubWindow* second = screen->MdiArea->activeSubWindow();
    QVERIFY(second && second != first);
    screen->MenuWindowPrevious->trigger();
    QCOMPARE(screen->MdiArea->activeSubWindow(), first);

    // Arrange Icons lines the minimized ones up along the bottom, side by side.
    children.at(0)->showMinimized();
    children.at(2)->showMinimized();
    screen->MenuWindowArrangeIcons->trigger();
    const QRect left = children.at(0)->geometry();
    const QRect right = children.at(2)->geometry();
    QCOMPARE(left.bottom(), screen->MdiArea->viewport()->height() - 1);
    QCOMPARE(right.bottom(), left.bottom());
    QCOMPARE(left.x(), 0);
    QCOMPARE(right.x(), left.right() + 1);
}

void TestMainScreen::exitIsRefusedWhileAChildRefuses()
{
    auto screen = Start("header\r\n");
    screen->show();
    auto* willing = new TGraphForm;
    auto* unsaved = new TGraphForm;
    unsaved->SetLines({QStringLiteral("Title")});
    unsaved->GraphDataMemo->document()->setModified(true);
    screen->AddGraphWindow(willing);
    screen->AddGraphWindow(unsaved);

    {
        ModalAnswers refuse({CloseQueryAnswer("AlertCancelBitBtn")});
        screen->MenuFileExit->trigger();
        QVERIFY(refuse.AllAnswered());
    }
    QVERIFY(screen->isVisible());
    QVERIFY(unsaved->isVisible());

    ModalAnswers agree({CloseQueryAnswer("AlertOKBitBtn")});
    screen->MenuFileExit->trigger();
    QVERIFY(agree.AllAnswered());
    QVERIFY(!screen->isVisible());
}

void TestMainScreen::exitAsksEveryUnsavedWindowBeforeClosingAny_data()
{
    QTest::addColumn<int>("unsaved"); // graph windows, the first ones unsaved
    QTest::addColumn<int>("saved");
    QTest::addColumn<QStringList>("answers"); // one per unsaved window asked
    QTest::addColumn<bool>("exits");

    QTest::newRow("all agree") << 2 << 1 << QStringList{"OK", "OK"} << true;
    QTest::newRow("the last one refuses") << 3 << 1 << QStringList{"OK", "OK", "Cancel"} << false;
    QTest::newRow("nothing unsaved") << 0 << 2 << QStringList{} << true;
}

// A refusal keeps the program and every window open; only when all agree do they all go.
void TestMainScreen::exitAsksEveryUnsavedWindowBeforeClosingAny()
{
    QFETCH(int, unsaved);
    QFETCH(int, saved);
    QFETCH(QStringList, answers);
    QFETCH(bool, exits);
    auto screen = Start("header\r\n");
    screen->show();
    const QList<QPointer<TGraphForm>> windows = AddGraphWindows(*screen, unsaved, saved);

    QList<ModalAnswers::Answer> replies;
    for (const QString& answer : answers)
        replies.append(CloseQueryAnswer(answer == "OK" ? "AlertOKBitBtn" : "AlertCancelBitBtn"));
    ModalAnswers alerts(replies, 2000);
    screen->MenuFileExit->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Each answer taken, and no question more: that one would wait for the watchdog.
    QVERIFY(alerts.AllAnswered());
    QVERIFY(!alerts.WatchdogFired());
    QCOMPARE(screen->isVisible(), !exits);
    for (const QPointer<TGraphForm>& window : windows)
        QVERIFY(exits ? window.isNull() : window && window->isVisible());
}

// The frame goes with graph windows still open (the program ends, a test tears down): they go
// with it unasked, and the frame is still whole when their going activates one another.
void TestMainScreen::destroyingTheFrameFreesOpenGraphWindowsUnasked()
{
    auto screen = Start("header\r\n");
    screen->show();
    const QList<QPointer<TGraphForm>> windows = AddGraphWindows(*screen, 1, 2);
    screen->MdiArea->subWindowList().constFirst()->showMinimized();
    screen->MdiArea->setActiveSubWindow(screen->MdiArea->subWindowList().at(1));

    ModalAnswers alerts({[](QWidget* alert) { alert->close(); }}, 1000);
    screen.reset();

    QVERIFY(!alerts.AllAnswered());
    for (const QPointer<TGraphForm>& window : windows)
        QVERIFY(window.isNull());
}

void TestMainScreen::secondInstanceEndsBeforeReadingTheConfiguration()
{
    InstanceLock running(TAboutBox::Caption);
    QCOMPARE(running.TryHold(), InstanceLock::Outcome::Held);
    QTemporaryDir fresh;
    QDir::setCurrent(fresh.path());
    QFile qorDat(QStringLiteral("QOR.dat"));
    QVERIFY(qorDat.open(QIODevice::WriteOnly));
    qorDat.write("header\r\nPORT=COM1\r\n");
    qorDat.close();

    ModalAnswers answers({LetStartUpGo}, 1000);
    TMainScreen screen;
    QVERIFY(Termination::Requested());
    QVERIFY(!answers.AllAnswered()); // no start-up dialog was shown
    QVERIFY(!QDir(QStringLiteral("errors")).exists());
    QVERIFY(serial_->calls.isEmpty());
    QVERIFY(PortName.isEmpty());
    QVERIFY(!screen.MenuFileNew->isEnabled());
    QVERIFY(!screen.findChild<TAboutBox*>());
}

// Neither the runtime folder nor the temporary one can hold the lock file: that is no sign of
// another instance, so the operator is told and the program starts.
void TestMainScreen::lockThatCannotBeMadeIsReportedAndTheProgramStarts()
{
    start_->WriteFile(QStringLiteral("QOR.dat"), "header\r\nPORT=COM1\r\n");
    const QByteArray temporary = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        qputenv("TMPDIR", temporary);
    });
    // A file where the folders should be: no lock file can be made below it, even by root.
    const QString notAFolder = start_->Path() + QStringLiteral("/QOR.dat");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(notAFolder));
    qputenv("TMPDIR", QFile::encodeName(notAFolder));

    QString message;
    ModalAnswers answers({[&](QWidget* box) {
                              if (auto* notice = qobject_cast<QMessageBox*>(box))
                                  message = notice->text();
                              box->close();
                          },
                          LetStartUpGo});
    TMainScreen screen;

    QVERIFY(answers.AllAnswered());
    QVERIFY(!answers.WatchdogFired());
    QVERIFY2(message.contains(notAFolder), qPrintable(message));
    QVERIFY(!Termination::Requested());
    QCOMPARE(PortName, QStringLiteral("COM1"));
}

QTEST_MAIN(TestMainScreen)
#include "tst_mainscreen.moc"
