#include "app/programforms.h"

#include "dialogs/operatorentrybox.h"
#include "app/mainscreen.h"
#include "control/controlpanel.h"

ProgramForms::ProgramForms()
{
    mainScreen_ = std::make_unique<TMainScreen>();
    MainScreen = mainScreen_.get();
    entryBox_ = std::make_unique<TActOperatorEntryBox>();
    ActOperatorEntryBox = entryBox_.get();
    // Owned by the main window, so the panel opens centred over it.
    controlPanel_ = std::make_unique<TQORcontrolPanel>(mainScreen_.get());
    QORcontrolPanel = controlPanel_.get();
    QObject::connect(controlPanel_.get(), &TQORcontrolPanel::GraphWindowCreated, mainScreen_.get(),
                     &TMainScreen::AddGraphWindow);
}

ProgramForms::~ProgramForms()
{
    controlPanel_.reset();
    QORcontrolPanel = nullptr;
    entryBox_.reset();
    ActOperatorEntryBox = nullptr;
    mainScreen_.reset();
    MainScreen = nullptr;
}
