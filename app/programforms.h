#pragma once

#include <memory>

class TMainScreen;
class TActOperatorEntryBox;
class TQORcontrolPanel;

// The forms that live for the whole process, created in the order start-up relies on: the main
// window's constructor opens the port, and the control panel uses it as it is made. Sets and
// clears the globals MainScreen, ActOperatorEntryBox and QORcontrolPanel.
class ProgramForms
{
public:
    ProgramForms();
    ~ProgramForms();

    TMainScreen& mainScreen() const { return *mainScreen_; }

private:
    std::unique_ptr<TMainScreen> mainScreen_;
    std::unique_ptr<TActOperatorEntryBox> entryBox_;
    std::unique_ptr<TQORcontrolPanel> controlPanel_;
};
