#pragma once

#include "platform/instancelock.h"

#include <QMainWindow>
#include <QStyle>
#include <functional>
#include <memory>

class QAction;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QToolButton;
class LibraryCommands;
class ResultsCommands;

// The main MDI frame: title block, speed bar, menus and status bar around the graph windows.
// Its constructor runs the start-up: program texts, single-instance guard, the start-up dialog
// that reads QOR.dat and opens the port, and the machine commands.
class TMainScreen : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainScreen(QWidget* owner = nullptr);
    ~TMainScreen() override;

    // Puts a graph window into the frame as a child whose client is the form's own size, and
    // shows it. The child is freed when it closes.
    void AddGraphWindow(QWidget* form);
    // Enables the three machine commands exactly when a port is open (PortName begins with "C").
    void UpdateMachineCommands();
    // Sets the save and print commands, menu items and speed buttons alike.
    void SetSaveAndPrintEnabled(bool save, bool print);
    // The file dialogs and the printer, made when first needed and kept for the window's life with
    // what the operator chose in them: making them loads the file system's icons and the print
    // system, which the start does not need.
    QFileDialog& OpenDialog();
    QFileDialog& SaveDialog();
    QPrinter& Printer();

    QGroupBox* TitleBlock;
    QLabel* HeadingName;
    QLabel* HeadingAddress;
    QLabel* HeadingPhone;
    QLabel* HeadingVerDate;
    QLabel* HeadingProgramName;

    QFrame* SpeedBar;
    QToolButton* SpeedNewBtn;
    QToolButton* SpeedOpenBtn;
    QToolButton* SpeedOpenMultipleBtn;
    QToolButton* SpeedSaveAsBtn;
    QToolButton* SpeedPrintBtn;
    QToolButton* SpeedViewManualBtn;
    QToolButton* SpeedCompDiagInfoBtn;

    QMdiArea* MdiArea;
    QStatusBar* StatusBar;
    QPlainTextEdit* ConvertGraphDataMemo;

    QMenu* MenuFile;
    QAction* MenuFileNew;
    QAction* MenuFileOpen;
    QAction* MenuFileOpenMultiple;
    QAction* MenuFileSave;
    QAction* MenuFilePrint;
    QAction* MenuFilePrintSetup;
    QAction* MenuFileExit;
    QMenu* MenuMachine;
    QAction* MenuMachineConfigureProgram;
    QAction* MenuMachineQORControlPanel;
    QMenu* MenuPassword;
    QAction* MenuPasswordEnabled;
    QMenu* MenuWindow;
    QAction* MenuWindowTile;
    QAction* MenuWindowCascade;
    QAction* MenuWindowNext;
    QAction* MenuWindowPrevious;
    QAction* MenuWindowArrangeIcons;
    QMenu* MenuHelp;
    QAction* MenuHelpAbout;
    QAction* MenuHelpCompDiagInfo;
    QAction* MenuHelpViewManual;
    ResultsCommands* Results = nullptr; // the Results menu and panel

    void MenuFileNewClick();
    void MenuFileOpenClick();
    void MenuFileOpenMultipleClick();
    void MenuFileSaveClick();
    void MenuFilePrintClick();
    void MenuFilePrintSetupClick();
    void MenuFileExitClick();
    void MenuMachineConfigureProgramClick();
    void MenuPasswordEnabledClick();
    void MenuWindowTileClick();
    void MenuWindowCascadeClick();
    void MenuWindowNextClick();
    void MenuWindowPreviousClick();
    void MenuWindowArrangeIconsClick();
    void MenuHelpAboutClick();
    void MenuHelpCompDiagInfoClick();
    void MenuHelpViewManualClick();

    LibraryCommands* Library = nullptr; // the Library menu and the rows of saved tests

signals:
    // A test file was written by Save (not an export): its path and lines.
    void TestFileSaved(const QString& path, const QStringList& lines);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Test files dropped on the window open as Open opens them.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    using Handler = void (TMainScreen::*)();

    void BuildTitleBlock();
    void BuildSpeedBar();
    void BuildMenus();
    // The Results menu before the Window menu, and the Results panel docked at the right.
    void BuildResultsMenu();
    QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, Handler handler,
                         bool enabled = true);
    QToolButton* AddSpeedButton(const char* name, const QString& hint, const QString& themeIcon,
                                QStyle::StandardPixmap fallbackIcon, Handler handler, bool enabled);
    void MdiAreaSubWindowActivated(QMdiSubWindow* child);
    // Single-test graph windows redraw with the colour and units now in force.
    void RedrawGraphWindows();
    void SetUpFileCommands();
    void BuildLibraryMenu();
    QFileDialog& FileDialog(QFileDialog*& dialog, const char* name, void (*setUp)(QFileDialog&));
    // Runs an open command on the file the operator picks in the open dialog; the dialog's name
    // is cleared after every open, whatever it reported.
    void OpenChosenFile(const std::function<void(const QString&)>& open);
    // Shows a window that a file command made among the children.
    std::function<void(QWidget*)> ShowGraphWindow();
    // The graph window the file commands act on: the current child, even while a menu or another
    // application has the focus.
    QWidget* ActiveGraphWindow() const;
    // Offers back the tests that were not saved when the program last ended.
    void RecoverUnsavedTests();

    // Each speed button's glyph, given to it once the start-up dialog has closed.
    QList<std::function<void()>> speedButtonGlyphs_;
    QFileDialog* openDialog_ = nullptr;
    QFileDialog* saveDialog_ = nullptr;
    // Print Setup's choice, kept for every later print.
    std::unique_ptr<QPrinter> printer_;

    std::unique_ptr<InstanceLock> instanceLock_; // held as long as the hidden About box lives
};

extern TMainScreen* MainScreen;
