#include "control/controlpanel.h"

TQORcontrolPanel* QORcontrolPanel = nullptr;

TQORcontrolPanel::TQORcontrolPanel(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("QORcontrolPanel"));
    setWindowTitle(QStringLiteral("QOR Control  Panel"));
}
