#include "app/dialogs/aboutbox.h"
#include "app/mainscreen.h"
#include "config/initializingbox.h"
#include "config/settings.h"
#include "modalanswers.h"
#include "platform/instancelock.h"
#include "platform/termination.h"
#include "scriptedseriallibrary.h"
#include "temporarystartdirectory.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// Graph windows as the main window sees them: it tells them apart by their class names.
class TGraphForm : public QWidget
{
    Q_OBJECT
public:
    bool mayClose = true;

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(mayClose); }
};

class TGraphMultipleForm : public QWidget
{
    Q_OBJECT
};

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

struct Item
{
    QString name; // empty for a separator
    QString caption;
    bool enabled;
};

} // namespace

class TestMainScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void titleBlock();
    void menus_data();
    void menus();
    void speedButtons();
    void statusBarFollowsTheHint();
    void machineCommandsFollowThePort_data();
    void machineCommandsFollowThePort();
    void activeGraphWindowSetsWindowSaveAndPrint();
    void graphWindowClientKeepsItsSize();
    void windowCommandsArrangeTheChildren();
    void exitIsRefusedWhileAChildRefuses();
    void secondInstanceEndsBeforeReadingTheConfiguration();

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
    auto screen = Start("header\r\n");
    QCOMPARE(screen->windowTitle(), QStringLiteral("QOR-1000"));
    QCOMPARE(screen->HeadingVerDate->text(), QStringLiteral("Ver Win 2.2.3 - 25 Feb, 2006"));
    QCOMPARE(screen->HeadingProgramName->text(), QStringLiteral("Velmont 1000"));
    QCOMPARE(VersionText, QStringLiteral("Ver Win 2.2.3 - 25 Feb, 2006"));
    QCOMPARE(StartDirectory, start_->Path());
    QCOMPARE(screen->TitleBlock->height(), 57);
    for (const char* name : {"TitleBlock", "HeadingName", "HeadingAddress", "HeadingPhone",
                             "HeadingVerDate", "HeadingProgramName", "SpeedBar", "StatusBar",
                             "ConvertGraphDataMemo", "OpenDialog", "SaveDialog", "Menu"})
        QVERIFY2(screen->findChild<QObject*>(QLatin1String(name)), name);
    QVERIFY(screen->findChild<TAboutBox*>()); // the hidden one, kept for the window's life
}

void TestMainScreen::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("menuEnabled");
    QTest::addColumn<QList<Item>>("items");

    QTest::newRow("File") << "MenuFile"
                          << "&File" << true
                          << QList<Item>{{"MenuFileNew", "&New Test File", false},
                                         {"MenuFileOpen", "&Open Test File", true},
                                         {"MenuFileOpenMultiple", "Open &Multiple Test File", true},
                                         {"MenuFileSave", "&Save Test File", false},
                                         {"", "", true},
                                         {"MenuFilePrint", "&Print", false},
                                         {"MenuFilePrintSetup", "P&rint Setup...", true},
                                         {"", "", true},
                                         {"MenuFileExit", "E&xit", true}};
    QTest::newRow("Machine") << "MenuMachine"
                             << "&Machine" << true
                             << QList<Item>{
                                    {"MenuMachineConfigureProgram", "&Configure Program", true},
                                    {"MenuMachineQORControlPanel", "&QOR Control Panel", false}};
    QTest::newRow("Password") << "MenuPassword"
                              << "&Password" << false
                              << QList<Item>{{"MenuPasswordEnabled", "&Enabled", true}};
    QTest::newRow("Window") << "MenuWindow"
                            << "&Window" << false
                            << QList<Item>{{"MenuWindowTile", "&Tile", true},
                                           {"MenuWindowCascade", "&Cascade", true},
                                           {"MenuWindowNext", "&Next", true},
                                           {"MenuWindowPrevious", "&Previous", true},
                                           {"MenuWindowArrangeIcons", "&Arrange Icons", true}};
    QTest::newRow("Help") << "MenuHelp"
                          << "&Help" << true
                          << QList<Item>{
                                 {"MenuHelpAbout", "&About...", true},
                                 {"MenuHelpCompDiagInfo", "&Compress Diagnostic Info.", true},
                                 {"MenuHelpViewManual", "&View Manual", true}};
}

void TestMainScreen::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(bool, menuEnabled);
    QFETCH(QList<Item>, items);

    auto screen = Start("header\r\n");
    const QList<QAction*> bar = screen->menuBar()->actions();
    const QStringList order = {"MenuFile", "MenuMachine", "MenuPassword", "MenuWindow", "MenuHelp"};
    QCOMPARE(bar.size(), order.size());
    QAction* title = bar.at(order.indexOf(menu));
    QVERIFY(title->menu());
    QCOMPARE(title->menu()->objectName(), menu);
    QCOMPARE(title->text(), caption);
    QCOMPARE(title->isEnabled(), menuEnabled);

    const QList<QAction*> actual = title->menu()->actions();
    QCOMPARE(actual.size(), items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Item& expected = items.at(i);
        QCOMPARE(actual.at(i)->isSeparator(), expected.name.isEmpty());
        if (expected.name.isEmpty())
            continue;
        QCOMPARE(actual.at(i)->objectName(), expected.name);
        QCOMPARE(actual.at(i)->text(), expected.caption);
        QCOMPARE(actual.at(i)->isEnabled(), expected.enabled);
    }
}

void TestMainScreen::speedButtons()
{
    struct Button
    {
        const char* name;
        const char* toolTip;
        const char* statusTip;
        bool enabled;
    };
    const QList<Button> expected = {
        {"SpeedNewBtn", "New Test", "Create a New Test", false},
        {"SpeedOpenBtn", "Open Test", "Open an Existing Test File", true},
        {"SpeedOpenMultipleBtn", "Open Multiple Tests", "Open Multiple Existing Test Files", true},
        {"SpeedSaveAsBtn", "Save Test As", "Save Test File as/to Device", false},
        {"SpeedPrintBtn", "Print Graph", "Print the Active Window's Graph", false},
        {"SpeedViewManualBtn", "View Manual", "View Manual", true},
        {"SpeedCompDiagInfoBtn", "Compress Diagnostic Info.", "Compress Diagnostic Information",
         true}};

    auto screen = Start("header\r\n");
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    QList<QToolButton*> buttons = screen->SpeedBar->findChildren<QToolButton*>();
    std::ranges::sort(buttons, {}, [](const QToolButton* button) { return button->x(); });
    QCOMPARE(buttons.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(buttons.at(i)->objectName(), QLatin1String(expected.at(i).name));
        QCOMPARE(buttons.at(i)->toolTip(), QLatin1String(expected.at(i).toolTip));
        QCOMPARE(buttons.at(i)->statusTip(), QLatin1String(expected.at(i).statusTip));
        QCOMPARE(buttons.at(i)->isEnabled(), expected.at(i).enabled);
        QCOMPARE(buttons.at(i)->size(), QSize(25, 25));
        QVERIFY(!buttons.at(i)->icon().isNull());
    }
}

void TestMainScreen::statusBarFollowsTheHint()
{
    auto screen = Start("header\r\n");
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    QTest::mouseMove(screen->SpeedOpenBtn);
    QTRY_COMPARE(screen->StatusBar->currentMessage(), QStringLiteral("Open an Existing Test File"));
    QTest::mouseMove(screen->SpeedCompDiagInfoBtn);
    QTRY_COMPARE(screen->StatusBar->currentMessage(),
                 QStringLiteral("Compress Diagnostic Information"));
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

    screen->AddGraphWindow(new TGraphMultipleForm);
    QVERIFY(windowMenu->isEnabled());
    QVERIFY(!screen->MenuFileSave->isEnabled());
    QVERIFY(!screen->SpeedSaveAsBtn->isEnabled());
    QVERIFY(screen->MenuFilePrint->isEnabled());
    QVERIFY(screen->SpeedPrintBtn->isEnabled());

    auto* single = new TGraphForm;
    screen->AddGraphWindow(single);
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
    QVERIFY(child->testAttribute(Qt::WA_DeleteOnClose));
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
    for (const QMdiSubWindow* child : byX) {
        QCOMPARE(child->y(), 0);
        QCOMPARE(child->height(), area.height());
        QVERIFY(qAbs(child->width() - area.width() / 2) <= 2);
    }
    QCOMPARE(byX.at(0)->x(), 0);
    QCOMPARE(byX.at(1)->x(), byX.at(0)->geometry().right() + 1);

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
    unsaved->mayClose = false;
    screen->AddGraphWindow(willing);
    screen->AddGraphWindow(unsaved);

    screen->MenuFileExit->trigger();
    QVERIFY(screen->isVisible());
    QVERIFY(unsaved->isVisible());

    unsaved->mayClose = true;
    screen->MenuFileExit->trigger();
    QVERIFY(!screen->isVisible());
}

void TestMainScreen::secondInstanceEndsBeforeReadingTheConfiguration()
{
    InstanceLock running(TAboutBox::Caption);
    QVERIFY(running.TryHold());
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

QTEST_MAIN(TestMainScreen)
#include "tst_mainscreen.moc"
