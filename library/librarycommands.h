#pragma once

#include "library/libraryqueue.h"
#include "library/librarysettings.h"

#include <QObject>
#include <QPointer>
#include <QThread>

#include <functional>
#include <memory>

class QAction;
class QMainWindow;
class QMenu;
class LibraryDelivery;
class LibraryStore;
class TLibraryForm;

// The main window's Library menu and what stands behind it: a row for every test file saved,
// delivered to the library by a thread of its own, Add Folder, and the library window. Where the
// library is comes from the start directory (library.ini, else library.db), read when this is
// made.
class LibraryCommands : public QObject
{
    Q_OBJECT
public:
    // show puts a new window among the main window's children.
    LibraryCommands(QMainWindow* frame, std::function<void(QWidget*)> show);
    ~LibraryCommands() override;

    // After a test file was written: queues its row and has it delivered. Never fails the save: a
    // row that cannot be queued is told in the status bar and logged.
    void TestFileSaved(const QString& path, const QStringList& lines);

    // Whether the window is one of the library's: the library window or a trend window.
    static bool IsLibraryWindow(const QWidget* window);

    QMenu* MenuLibrary;
    QAction* MenuLibraryTestLibrary;
    QAction* MenuLibraryAddFolder;

    void MenuLibraryTestLibraryClick();
    void MenuLibraryAddFolderClick();

private:
    void DeliveryOffline(const QString& reason);
    void DeliveryOnline(int rows);
    void DeliveryDelivered();
    void Deliver();
    void Tell(const QString& message);
    // The library as the operator's thread reads it, opened when first needed.
    LibraryStore& Store();

    QMainWindow* frame_;
    std::function<void(QWidget*)> show_;
    LibrarySettings settings_;
    LibraryQueue queue_;
    std::unique_ptr<LibraryStore> store_;
    QThread deliveryThread_;
    LibraryDelivery* delivery_;
    QPointer<TLibraryForm> window_;
};
