#include "library/librarycommands.h"

#include "graph/testfilenames.h"
#include "library/fileentry.h"
#include "library/folderindex.h"
#include "library/librarydelivery.h"
#include "library/libraryform.h"
#include "library/librarystore.h"
#include "library/librarytrendform.h"
#include "platform/errorreport.h"
#include "platform/hint.h"
#include "program/settings.h"
#include "results/currentmethod.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressDialog>
#include <QStatusBar>

LibraryCommands::LibraryCommands(QMainWindow* frame, std::function<void(QWidget*)> show)
    : QObject(frame), frame_(frame), show_(std::move(show)),
      settings_(ReadLibrarySettings(StartDirectory)), queue_(LibraryQueuePath(StartDirectory)),
      delivery_(new LibraryDelivery(settings_, queue_.Path()))
{
    MenuLibrary = new QMenu(QStringLiteral("&Library"), frame);
    MenuLibrary->setObjectName(QStringLiteral("MenuLibrary"));
    MenuLibrary->menuAction()->setObjectName(QStringLiteral("MenuLibraryItem"));
    MenuLibraryTestLibrary = MenuLibrary->addAction(QStringLiteral("&Test Library"));
    MenuLibraryTestLibrary->setObjectName(QStringLiteral("MenuLibraryTestLibrary"));
    MenuLibraryTestLibrary->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    SetHint(MenuLibraryTestLibrary,
            QStringLiteral("Test Library|Find, compare and chart the tests saved so far"));
    connect(MenuLibraryTestLibrary, &QAction::triggered, this,
            &LibraryCommands::MenuLibraryTestLibraryClick);
    MenuLibraryAddFolder = MenuLibrary->addAction(QStringLiteral("&Add Folder..."));
    MenuLibraryAddFolder->setObjectName(QStringLiteral("MenuLibraryAddFolder"));
    SetHint(MenuLibraryAddFolder,
            QStringLiteral("Add Folder|Add the test files already in a folder to the library"));
    connect(MenuLibraryAddFolder, &QAction::triggered, this,
            &LibraryCommands::MenuLibraryAddFolderClick);

    delivery_->moveToThread(&deliveryThread_);
    connect(&deliveryThread_, &QThread::finished, delivery_, &QObject::deleteLater);
    connect(delivery_, &LibraryDelivery::Offline, this, &LibraryCommands::DeliveryOffline);
    connect(delivery_, &LibraryDelivery::Online, this, &LibraryCommands::DeliveryOnline);
    connect(delivery_, &LibraryDelivery::Delivered, this, &LibraryCommands::DeliveryDelivered);
    deliveryThread_.start();
    Deliver(); // what the last run left waiting
}

LibraryCommands::~LibraryCommands()
{
    deliveryThread_.quit();
    deliveryThread_.wait();
}

LibraryStore& LibraryCommands::Store()
{
    if (!store_)
        store_ = std::make_unique<LibraryStore>(settings_, QStringLiteral("qor-library-window"));
    return *store_;
}

void LibraryCommands::Deliver()
{
    QMetaObject::invokeMethod(delivery_, &LibraryDelivery::Deliver, Qt::QueuedConnection);
}

void LibraryCommands::Tell(const QString& message)
{
    frame_->statusBar()->showMessage(message);
}

void LibraryCommands::TestFileSaved(const QString& path, const QStringList& lines)
{
    try {
        queue_.Append({EntryRow(EntryForTestFile(path, lines, CurrentEntryContext(),
                                                 QDateTime::currentDateTimeUtc()))});
    } catch (const ProgramError& error) {
        const QString told =
            QStringLiteral("The test was saved, but not added to the test library: %1")
                .arg(error.Message());
        Tell(told);
        LogLibraryEvent(told);
        return;
    }
    Deliver();
}

bool LibraryCommands::IsLibraryWindow(const QWidget* window)
{
    return qobject_cast<const TLibraryForm*>(window) ||
           qobject_cast<const TLibraryTrendForm*>(window);
}

void LibraryCommands::DeliveryOffline(const QString& reason)
{
    Tell(QStringLiteral("The test library is offline; saved tests wait in %1 until it is back. %2")
             .arg(QFileInfo(queue_.Path()).fileName(), reason));
}

void LibraryCommands::DeliveryOnline(int rows)
{
    Tell(QStringLiteral("The test library (%1) is back: %2 waiting test(s) were added.")
             .arg(settings_.Description())
             .arg(rows));
}

void LibraryCommands::DeliveryDelivered()
{
    if (!window_)
        return;
    try {
        window_->Reload();
    } catch (const ProgramError& error) {
        Tell(QStringLiteral("The test library window could not be brought up to date: ") +
             error.Message());
    }
}

void LibraryCommands::MenuLibraryTestLibraryClick()
{
    if (window_) {
        if (auto* child = qobject_cast<QMdiSubWindow*>(window_->parentWidget()))
            child->mdiArea()->setActiveSubWindow(child);
        return;
    }
    ErrorReport::Guard(frame_, [this] {
        auto window = std::make_unique<TLibraryForm>(TLibraryForm::Services{
            [this](qint64 after) { return Store().CurrentEntries(after); }, show_});
        window->Reload();
        connect(window.get(), &TLibraryForm::Told, this, &LibraryCommands::Tell);
        window_ = window.get();
        show_(window.release());
    });
}

void LibraryCommands::MenuLibraryAddFolderClick()
{
    const QString folder = QFileDialog::getExistingDirectory(
        frame_, QStringLiteral("Add Folder to the Test Library"), DataFolder());
    if (folder.isEmpty())
        return;
    QProgressDialog progress(QStringLiteral("Adding the test files of %1 to the library...")
                                 .arg(QDir::toNativeSeparators(folder)),
                             QStringLiteral("Cancel"), 0, 0, frame_);
    progress.setObjectName(QStringLiteral("AddFolderProgress"));
    progress.setWindowTitle(QStringLiteral("Add Folder"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    ErrorReport::Guard(frame_, [&] {
        // Operator and lot are not known for tests saved before; the current method judges them.
        const FolderSummary summary =
            AddFolder(folder, Store(), queue_, {CurrentMethod(), {}, {}}, [&](int done, int total) {
                progress.setMaximum(total);
                progress.setValue(done);
                return !progress.wasCanceled();
            });
        progress.reset();
        Deliver();
        Tell(FolderSummaryText(summary));
        for (const QString& reason : summary.unreadable)
            LogLibraryEvent(QStringLiteral("Add Folder: ") + reason);
    });
}
