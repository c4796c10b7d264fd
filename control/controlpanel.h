#pragma once

#include <QDialog>

// The machine's control panel, shown modally from the main window.
class TQORcontrolPanel : public QDialog
{
    Q_OBJECT
public:
    explicit TQORcontrolPanel(QWidget* owner = nullptr);
};

extern TQORcontrolPanel* QORcontrolPanel;
