#include "app/dialogs/operatorentrybox.h"
#include "app/mainscreen.h"
#include "control/controlpanel.h"
#include "platform/errorreport.h"
#include "platform/termination.h"
#include "serial/seriallibrary.h"

#include <QApplication>
#include <QScreen>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    try {
        QApplication::setApplicationName(QStringLiteral("QOR-1000"));
        InstallSerialLibrary(nullptr); // the device library, over the real ports

        // The main window's constructor opens the port; the control panel uses it as it is made.
        auto mainScreen = std::make_unique<TMainScreen>();
        MainScreen = mainScreen.get();
        auto entryBox = std::make_unique<TActOperatorEntryBox>();
        ActOperatorEntryBox = entryBox.get();
        auto controlPanel = std::make_unique<TQORcontrolPanel>();
        QORcontrolPanel = controlPanel.get();
        QObject::connect(controlPanel.get(), &TQORcontrolPanel::GraphWindowCreated,
                         mainScreen.get(), &TMainScreen::AddGraphWindow);

        if (Termination::Requested())
            return 0;
        // Without a window manager (a bare X server) maximizing is only a wish: fill the screen.
        mainScreen->setGeometry(mainScreen->screen()->availableGeometry());
        mainScreen->showMaximized();
        application.exec();
    } catch (...) {
        ErrorReport::Show(nullptr, std::current_exception());
    }
    return 0;
}
