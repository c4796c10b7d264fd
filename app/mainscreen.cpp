#include "app/mainscreen.h"

#include "app/dialogs/aboutbox.h"
#include "app/helptools.h"
#include "config/configureprogram.h"
#include "config/initializingbox.h"
#include "control/controlpanel.h"
#include "graph/filecommands.h"
#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "graph/testfilenames.h"
#include "library/librarycommands.h"
#include "platform/errorreport.h"
#include "platform/formcomponents.h"
#include "platform/hint.h"
#include "platform/messagebox.h"
#include "platform/termination.h"
#include "program/settings.h"
#include "recovery/recoveredtestsbox.h"
#include "results/resultscommands.h"
#include "results/resultspanel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <utility>

TMainScreen* MainScreen = nullptr;

namespace {

const QColor Aqua(Qt::cyan);
const QColor Silver(192, 192, 192);
const QColor Navy(0, 0, 128);

QLabel* AddLabel(QWidget* owner, const char* name, const QString& caption)
{
    auto* label = new QLabel(caption, owner);
    label->setObjectName(QLatin1String(name));
    return label;
}

// Runs a child window's close query (an unsaved test asks the operator) without closing it.
bool MayClose(QMdiSubWindow* child)
{
    QCloseEvent query;
    if (child->widget())
        QCoreApplication::sendEvent(child->widget(), &query);
    return query.isAccepted();
}

} // namespace

TMainScreen::TMainScreen(QWidget* owner) : QMainWindow(owner)
{
    setObjectName(QStringLiteral("MainScreen"));
    setWindowTitle(QStringLiteral("QOR-1000"));
    QFont formFont = font();
    formFont.setBold(true);
    setFont(formFont);
    SetColour(this, QPalette::WindowText, Navy);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientPanel"));
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(client);
    BuildTitleBlock();
    BuildSpeedBar();
    MdiArea = new QMdiArea(client);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    MdiArea->setBackground(Silver);
    connect(MdiArea, &QMdiArea::subWindowActivated, this, &TMainScreen::MdiAreaSubWindowActivated);
    column->addWidget(TitleBlock);
    column->addWidget(SpeedBar);
    column->addWidget(MdiArea, 1);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(StatusBar);
    BuildMenus();

    ConvertGraphDataMemo = new QPlainTextEdit(this);
    ConvertGraphDataMemo->setObjectName(QStringLiteral("ConvertGraphDataMemo"));
    ConvertGraphDataMemo->setReadOnly(true);
    ConvertGraphDataMemo->hide();

    VersionText = HeadingVerDate->text();
    StartDirectory = QDir::currentPath();

    instanceLock_ = std::make_unique<InstanceLock>(TAboutBox::Caption);
    switch (instanceLock_->TryHold()) {
    case InstanceLock::Outcome::Held:
        break;
    case InstanceLock::Outcome::HeldByAnother:
        instanceLock_.reset();
        Termination::Request();
        return;
    case InstanceLock::Outcome::Failed:
        SystemMessageBox(this, instanceLock_->FailureText(), windowTitle());
        break;
    }
    {
        TInitializingBox initializing(this);
        initializing.exec();
    }
    // What holds pictures decoded from files comes after the start-up dialog, the first window,
    // which does not wait for it.
    new TAboutBox(this); // never shown; it stands for this instance while the window lives
    for (const std::function<void()>& showGlyph : std::exchange(speedButtonGlyphs_, {}))
        showGlyph();
    UpdateMachineCommands();
    SetUpFileCommands();
    BuildResultsMenu();
    BuildLibraryMenu();
    // Once the window shows, over it; only the instance that holds the lock gets here.
    QTimer::singleShot(0, this, &TMainScreen::RecoverUnsavedTests);
    // The status bar follows the hint under the mouse through the status tips that reach the
    // frame (QMainWindow shows each one in its status bar).
}

TMainScreen::~TMainScreen()
{
    // The graph windows go with the frame, after this part of it: their going activates one
    // another, which must no longer reach a handler of this window.
    disconnect(MdiArea, nullptr, this, nullptr);
}

void TMainScreen::BuildTitleBlock()
{
    TitleBlock = new QGroupBox(centralWidget());
    TitleBlock->setObjectName(QStringLiteral("TitleBlock"));
    TitleBlock->setFixedHeight(57);
    TitleBlock->setAutoFillBackground(true);
    SetColour(TitleBlock, QPalette::Window, Aqua);
    SetPointSize(TitleBlock, 8);

    HeadingName = AddLabel(TitleBlock, "HeadingName", SupplierName);
    HeadingAddress = AddLabel(TitleBlock, "HeadingAddress", SupplierAddress);
    HeadingPhone = AddLabel(TitleBlock, "HeadingPhone", SupplierPhone);
    HeadingVerDate =
        AddLabel(TitleBlock, "HeadingVerDate", QStringLiteral("Ver Win 2.2.3 - 25 Feb, 2006"));
    HeadingVerDate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    HeadingProgramName = AddLabel(TitleBlock, "HeadingProgramName", QStringLiteral("Velmont 1000"));
    HeadingProgramName->setAlignment(Qt::AlignCenter);
    HeadingProgramName->setFixedWidth(400);
    SetPointSize(HeadingProgramName, 16);
    SetColour(HeadingProgramName, QPalette::WindowText, Qt::black);

    auto* supplier = new QVBoxLayout;
    supplier->setSpacing(0);
    supplier->addWidget(HeadingName);
    supplier->addWidget(HeadingAddress);
    supplier->addWidget(HeadingPhone);
    auto* row = new QHBoxLayout(TitleBlock);
    row->setContentsMargins(8, 2, 8, 2);
    row->addLayout(supplier, 1);
    row->addWidget(HeadingProgramName);
    row->addWidget(HeadingVerDate, 1);
}

void TMainScreen::BuildSpeedBar()
{
    SpeedBar = new QFrame(centralWidget());
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SpeedBar->setFixedHeight(32);
    SpeedBar->setAutoFillBackground(true);
    SetColour(SpeedBar, QPalette::Window, Aqua);
    auto* row = new QHBoxLayout(SpeedBar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);

    SpeedNewBtn = AddSpeedButton("SpeedNewBtn", QStringLiteral("New Test|Create a New Test"),
                                 QStringLiteral("document-new"), QStyle::SP_FileIcon,
                                 &TMainScreen::MenuFileNewClick, false);
    SpeedOpenBtn =
        AddSpeedButton("SpeedOpenBtn", QStringLiteral("Open Test|Open an Existing Test File"),
                       QStringLiteral("document-open"), QStyle::SP_DialogOpenButton,
                       &TMainScreen::MenuFileOpenClick, true);
    SpeedOpenMultipleBtn =
        AddSpeedButton("SpeedOpenMultipleBtn",
                       QStringLiteral("Open Multiple Tests|Open Multiple Existing Test Files"),
                       QStringLiteral("folder-open"), QStyle::SP_DirOpenIcon,
                       &TMainScreen::MenuFileOpenMultipleClick, true);
    SpeedSaveAsBtn =
        AddSpeedButton("SpeedSaveAsBtn", QStringLiteral("Save Test As|Save Test File as/to Device"),
                       QStringLiteral("document-save-as"), QStyle::SP_DialogSaveButton,
                       &TMainScreen::MenuFileSaveClick, false);
    SpeedPrintBtn = AddSpeedButton(
        "SpeedPrintBtn", QStringLiteral("Print Graph|Print the Active Window's Graph"),
        QStringLiteral("document-print"), QStyle::SP_FileDialogDetailedView,
        &TMainScreen::MenuFilePrintClick, false);
    SpeedViewManualBtn =
        AddSpeedButton("SpeedViewManualBtn", QStringLiteral("View Manual|View Manual"),
                       QStringLiteral("help-contents"), QStyle::SP_DialogHelpButton,
                       &TMainScreen::MenuHelpViewManualClick, true);
    SpeedCompDiagInfoBtn =
        AddSpeedButton("SpeedCompDiagInfoBtn",
                       QStringLiteral("Compress Diagnostic Info.|Compress Diagnostic Information"),
                       QStringLiteral("package-x-generic"), QStyle::SP_DriveHDIcon,
                       &TMainScreen::MenuHelpCompDiagInfoClick, true);
    row->addStretch(1);
}

QToolButton* TMainScreen::AddSpeedButton(const char* name, const QString& hint,
                                         const QString& themeIcon,
                                         QStyle::StandardPixmap fallbackIcon, Handler handler,
                                         bool enabled)
{
    auto* button = new QToolButton(SpeedBar);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(25, 25);
    button->setAutoRaise(true);
    // QIcon derives the disabled look of the glyph itself.
    speedButtonGlyphs_.append([this, button, themeIcon, fallbackIcon] {
        button->setIcon(QIcon::fromTheme(themeIcon, style()->standardIcon(fallbackIcon)));
    });
    SetHint(button, hint);
    button->setEnabled(enabled);
    connect(button, &QToolButton::clicked, this, handler);
    SpeedBar->layout()->addWidget(button);
    return button;
}

QAction* TMainScreen::AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                                  Handler handler, bool enabled)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setEnabled(enabled);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void TMainScreen::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("Menu"));
    auto addMenu = [bar](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("Item"));
        return menu;
    };

    MenuFile = addMenu("MenuFile", QStringLiteral("&File"));
    MenuFileNew = AddMenuItem(MenuFile, "MenuFileNew", QStringLiteral("&New Test File"),
                              &TMainScreen::MenuFileNewClick, false);
    MenuFileOpen = AddMenuItem(MenuFile, "MenuFileOpen", QStringLiteral("&Open Test File"),
                               &TMainScreen::MenuFileOpenClick);
    MenuFileOpenMultiple =
        AddMenuItem(MenuFile, "MenuFileOpenMultiple", QStringLiteral("Open &Multiple Test File"),
                    &TMainScreen::MenuFileOpenMultipleClick);
    MenuFileSave = AddMenuItem(MenuFile, "MenuFileSave", QStringLiteral("&Save Test File"),
                               &TMainScreen::MenuFileSaveClick, false);
    MenuFile->addSeparator();
    MenuFilePrint = AddMenuItem(MenuFile, "MenuFilePrint", QStringLiteral("&Print"),
                                &TMainScreen::MenuFilePrintClick, false);
    MenuFilePrintSetup =
        AddMenuItem(MenuFile, "MenuFilePrintSetup", QStringLiteral("P&rint Setup..."),
                    &TMainScreen::MenuFilePrintSetupClick);
    MenuFile->addSeparator();
    MenuFileExit = AddMenuItem(MenuFile, "MenuFileExit", QStringLiteral("E&xit"),
                               &TMainScreen::MenuFileExitClick);

    MenuMachine = addMenu("MenuMachine", QStringLiteral("&Machine"));
    MenuMachineConfigureProgram = AddMenuItem(MenuMachine, "MenuMachineConfigureProgram",
                                              QStringLiteral("&Configure Program"),
                                              &TMainScreen::MenuMachineConfigureProgramClick);
    MenuMachineQORControlPanel =
        AddMenuItem(MenuMachine, "MenuMachineQORControlPanel", QStringLiteral("&QOR Control Panel"),
                    &TMainScreen::MenuFileNewClick, false);

    MenuPassword = addMenu("MenuPassword", QStringLiteral("&Password"));
    MenuPasswordEnabled =
        AddMenuItem(MenuPassword, "MenuPasswordEnabled", QStringLiteral("&Enabled"),
                    &TMainScreen::MenuPasswordEnabledClick);
    MenuPassword->menuAction()->setEnabled(false);

    MenuWindow = addMenu("MenuWindow", QStringLiteral("&Window"));
    MenuWindowTile = AddMenuItem(MenuWindow, "MenuWindowTile", QStringLiteral("&Tile"),
                                 &TMainScreen::MenuWindowTileClick);
    MenuWindowCascade = AddMenuItem(MenuWindow, "MenuWindowCascade", QStringLiteral("&Cascade"),
                                    &TMainScreen::MenuWindowCascadeClick);
    MenuWindowNext = AddMenuItem(MenuWindow, "MenuWindowNext", QStringLiteral("&Next"),
                                 &TMainScreen::MenuWindowNextClick);
    MenuWindowPrevious = AddMenuItem(MenuWindow, "MenuWindowPrevious", QStringLiteral("&Previous"),
                                     &TMainScreen::MenuWindowPreviousClick);
    MenuWindowArrangeIcons =
        AddMenuItem(MenuWindow, "MenuWindowArrangeIcons", QStringLiteral("&Arrange Icons"),
                    &TMainScreen::MenuWindowArrangeIconsClick);
    MenuWindow->menuAction()->setEnabled(false);

    MenuHelp = addMenu("MenuHelp", QStringLiteral("&Help"));
    MenuHelpAbout = AddMenuItem(MenuHelp, "MenuHelpAbout", QStringLiteral("&About..."),
                                &TMainScreen::MenuHelpAboutClick);
    MenuHelpCompDiagInfo =
        AddMenuItem(MenuHelp, "MenuHelpCompDiagInfo", QStringLiteral("&Compress Diagnostic Info."),
                    &TMainScreen::MenuHelpCompDiagInfoClick);
    MenuHelpViewManual = AddMenuItem(MenuHelp, "MenuHelpViewManual", QStringLiteral("&View Manual"),
                                     &TMainScreen::MenuHelpViewManualClick);
}

void TMainScreen::BuildResultsMenu()
{
    Results = new ResultsCommands(this, MdiArea, [this]() -> QPrinter& { return Printer(); });
    menuBar()->insertMenu(MenuWindow->menuAction(), Results->MenuResults);
    addDockWidget(Qt::RightDockWidgetArea, Results->ResultsPanel);
}

void TMainScreen::AddGraphWindow(QWidget* form)
{
    const QSize client = form->size();
    QMdiSubWindow* child = MdiArea->addSubWindow(form);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->show();
    child->resize(child->size() - form->size() + client);
}

void TMainScreen::UpdateMachineCommands()
{
    const bool portOpen = PortName.startsWith(QLatin1Char('C'));
    MenuFileNew->setEnabled(portOpen);
    MenuMachineQORControlPanel->setEnabled(portOpen);
    SpeedNewBtn->setEnabled(portOpen);
}

void TMainScreen::SetSaveAndPrintEnabled(bool save, bool print)
{
    MenuFileSave->setEnabled(save);
    SpeedSaveAsBtn->setEnabled(save);
    MenuFilePrint->setEnabled(print);
    SpeedPrintBtn->setEnabled(print);
}

// A graph or library window that becomes active opens the Window menu for good. A graph window
// enables Print, and Save for a single test (a multiple window is never saved); the library and
// trend windows have nothing to save or print. Closing a window changes nothing here.
void TMainScreen::MdiAreaSubWindowActivated(QMdiSubWindow* child)
{
    QWidget* window = child ? child->widget() : nullptr;
    const bool singleTest = qobject_cast<TGraphForm*>(window);
    const bool graph = singleTest || qobject_cast<TGraphMultipleForm*>(window);
    if (!graph && !LibraryCommands::IsLibraryWindow(window))
        return;
    MenuWindow->menuAction()->setEnabled(true);
    SetSaveAndPrintEnabled(singleTest, graph);
}

QFileDialog& TMainScreen::OpenDialog()
{
    return FileDialog(openDialog_, "OpenDialog", SetUpOpenDialog);
}

QFileDialog& TMainScreen::SaveDialog()
{
    return FileDialog(saveDialog_, "SaveDialog", SetUpSaveDialog);
}

QFileDialog& TMainScreen::FileDialog(QFileDialog*& dialog, const char* name,
                                     void (*setUp)(QFileDialog&))
{
    if (!dialog) {
        dialog = new QFileDialog(this);
        dialog->setObjectName(QLatin1String(name));
        setUp(*dialog);
    }
    return *dialog;
}

QPrinter& TMainScreen::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

void TMainScreen::SetUpFileCommands()
{
    MenuFileOpen->setShortcut(QKeySequence::Open);
    MenuFileOpenMultiple->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    MenuFileSave->setShortcut(QKeySequence::Save);
    MenuFilePrint->setShortcut(QKeySequence::Print);
    setAcceptDrops(true);
}

// The Library menu goes before the Window menu; every test file saved adds its row.
void TMainScreen::BuildLibraryMenu()
{
    Library = new LibraryCommands(this, ShowGraphWindow());
    menuBar()->insertMenu(MenuWindow->menuAction(), Library->MenuLibrary);
    connect(this, &TMainScreen::TestFileSaved, Library, &LibraryCommands::TestFileSaved);
}

QWidget* TMainScreen::ActiveGraphWindow() const
{
    QMdiSubWindow* child = MdiArea->currentSubWindow();
    return child ? child->widget() : nullptr;
}

void TMainScreen::dragEnterEvent(QDragEnterEvent* event)
{
    if (!TestFilesAmong(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void TMainScreen::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    for (const QString& path : TestFilesAmong(event->mimeData()->urls()))
        ErrorReport::Guard(this, [&] { OpenTestWindow(path, ShowGraphWindow()); });
}

void TMainScreen::closeEvent(QCloseEvent* event)
{
    // Every graph window is asked before any goes, so that one refusal keeps them all; those that
    // agreed are not asked again.
    const QList<QMdiSubWindow*> children = MdiArea->subWindowList();
    if (!std::ranges::all_of(children, [](QMdiSubWindow* child) { return MayClose(child); })) {
        event->ignore();
        return;
    }
    qDeleteAll(children);
    event->accept();
}

void TMainScreen::RecoverUnsavedTests()
{
    ErrorReport::Guard(this, [this] { OfferRecoveredTests(this, ShowGraphWindow()); });
}

void TMainScreen::MenuFileNewClick()
{
    ErrorReport::Guard(this, [] { QORcontrolPanel->exec(); });
}

std::function<void(QWidget*)> TMainScreen::ShowGraphWindow()
{
    return [this](QWidget* window) { AddGraphWindow(window); };
}

void TMainScreen::OpenChosenFile(const std::function<void(const QString&)>& open)
{
    const QString path = ChooseFile(OpenDialog());
    if (path.isEmpty())
        return;
    ErrorReport::Guard(this, [&] { open(path); });
    ClearChosenFile(OpenDialog()); // also after an open that reported a bad record
}

void TMainScreen::MenuFileOpenClick()
{
    OpenChosenFile([this](const QString& path) { OpenTestWindow(path, ShowGraphWindow()); });
}

void TMainScreen::MenuFileOpenMultipleClick()
{
    OpenChosenFile([this](const QString& path) {
        OpenIntoMultipleWindow(qobject_cast<TGraphMultipleForm*>(ActiveGraphWindow()), path,
                               ShowGraphWindow());
    });
}

void TMainScreen::MenuFileSaveClick()
{
    const QPointer<TGraphForm> graph = qobject_cast<TGraphForm*>(ActiveGraphWindow());
    if (!graph) {
        SetSaveAndPrintEnabled(false, false);
        return;
    }
    const QString path = ChooseFile(SaveDialog());
    if (path.isEmpty() || !graph)
        return;
    ErrorReport::Guard(this, [&] {
        if (!SaveGraph(*graph, path))
            return;
        ClearChosenFile(SaveDialog());
        if (SaveKindOf(path) == SaveKind::TestFile)
            emit TestFileSaved(path, graph->Lines());
    });
}

void TMainScreen::MenuFilePrintClick()
{
    QWidget* graph = ActiveGraphWindow();
    if (!PrintableChart(graph)) {
        SetSaveAndPrintEnabled(false, false);
        return;
    }
    ErrorReport::Guard(this, [&] {
        TellPrintDestination(this, StatusBar, PrintGraph(graph, Printer()), QStringLiteral("graph"),
                             QStringLiteral("Print"));
    });
}

void TMainScreen::MenuFilePrintSetupClick()
{
    QPrintDialog setup(&Printer(), this);
    setup.setObjectName(QStringLiteral("PrinterSetupDialog"));
    setup.exec();
}

void TMainScreen::MenuFileExitClick()
{
    close();
}

// Whatever the dialog's result, the machine commands follow the port it leaves open.
void TMainScreen::MenuMachineConfigureProgramClick()
{
    TConfigureProgram configure(this);
    connect(&configure, &TConfigureProgram::DisplaySettingsChanged, this,
            &TMainScreen::RedrawGraphWindows);
    configure.exec();
    UpdateMachineCommands();
}

void TMainScreen::RedrawGraphWindows()
{
    for (QMdiSubWindow* child : MdiArea->subWindowList()) {
        if (auto* graph = qobject_cast<TGraphForm*>(child->widget()))
            graph->SettingsChanged();
    }
    Results->SettingsChanged();
}

void TMainScreen::MenuPasswordEnabledClick() {}

void TMainScreen::MenuWindowTileClick()
{
    // QMdiArea tiles side by side first (two children make two columns), as vertical tiling does.
    MdiArea->tileSubWindows();
}

void TMainScreen::MenuWindowCascadeClick()
{
    MdiArea->cascadeSubWindows();
}

void TMainScreen::MenuWindowNextClick()
{
    MdiArea->activateNextSubWindow();
}

void TMainScreen::MenuWindowPreviousClick()
{
    MdiArea->activatePreviousSubWindow();
}

// Minimized children line up along the bottom edge, left to right, wrapping upwards.
void TMainScreen::MenuWindowArrangeIconsClick()
{
    const int width = MdiArea->viewport()->width();
    int x = 0;
    int bottom = MdiArea->viewport()->height();
    for (QMdiSubWindow* child : MdiArea->subWindowList()) {
        if (!child->isMinimized())
            continue;
        if (x > 0 && x + child->width() > width) {
            x = 0;
            bottom -= child->height();
        }
        child->move(x, bottom - child->height());
        x += child->width();
    }
}

void TMainScreen::MenuHelpAboutClick()
{
    TAboutBox about(this);
    about.exec();
}

void TMainScreen::MenuHelpCompDiagInfoClick()
{
    HelpTools::CompressDiagnosticInfo(this, StatusBar);
}

void TMainScreen::MenuHelpViewManualClick()
{
    HelpTools::ViewManual(this);
}
