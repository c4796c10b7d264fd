#include "app/mainscreen.h"
#include "app/programforms.h"
#include "app/programicon.h"
#include "platform/errorreport.h"
#include "platform/termination.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    try {
        QApplication::setApplicationName(QStringLiteral("QOR-1000"));
        QApplication::setWindowIcon(ProgramIcon());
        ProgramForms forms;
        if (Termination::Requested())
            return 0;
        // Without a window manager (a bare X server) maximizing is only a wish: fill the screen.
        TMainScreen& mainScreen = forms.mainScreen();
        mainScreen.setGeometry(mainScreen.screen()->availableGeometry());
        mainScreen.showMaximized();
        application.exec();
    } catch (...) {
        ErrorReport::Show(nullptr, std::current_exception());
    }
    return 0;
}
