#include "dialogs/alertbox.h"

#include "platform/formcomponents.h"
#include "platform/modalresult.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TAlertBox::TAlertBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("AlertBox"));
    setWindowTitle(QStringLiteral("Alert Message ..."));
    setFixedSize(435, 75);
    // The form's 8-point type; a message longer than its label wraps onto a second line.
    SetPointSize(this, 8);

    Bevel1 = Place<QFrame>(this, "Bevel1", 6, 6, 330, 63);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Image1 = Place<QLabel>(this, "Image1", 14, 21, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));

    AlertMessage1 = Place<QLabel>(this, "AlertMessage1", 56, 10, 274, 26);
    AlertMessage1->setText(QStringLiteral("An error occurred ..."));
    AlertMessage1->setWordWrap(true);

    AlertMessage2 = Place<QLabel>(this, "AlertMessage2", 56, 38, 274, 28);
    AlertMessage2->setWordWrap(true);

    AlertOKBitBtn = Place<QPushButton>(this, "AlertOKBitBtn", 346, 8, 81, 27);
    AlertOKBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    AlertOKBitBtn->setText(QStringLiteral("OK"));
    AlertOKBitBtn->setEnabled(false);
    connect(AlertOKBitBtn, &QPushButton::clicked, this, [this] { done(mrOk); });

    AlertCancelBitBtn = Place<QPushButton>(this, "AlertCancelBitBtn", 346, 41, 81, 27);
    AlertCancelBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    AlertCancelBitBtn->setText(QStringLiteral("&Cancel"));
    AlertCancelBitBtn->setDefault(true);
    connect(AlertCancelBitBtn, &QPushButton::clicked, this, &TAlertBox::reject);
}

void TAlertBox::reject()
{
    done(mrCancel);
}

// Each time the dialog comes to the front, AlertCancelBitBtn takes the focus. Done on activation
// rather than on every paint: a dialog repaints under a button whose look changes, and taking the
// focus then would release a button in the middle of its click.
bool TAlertBox::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        AlertCancelBitBtn->setFocus(Qt::ActiveWindowFocusReason);
    return QDialog::event(event);
}
