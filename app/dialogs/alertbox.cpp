#include "app/dialogs/alertbox.h"

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

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(6, 6, 330, 63);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(14, 21, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));

    AlertMessage1 = new QLabel(QStringLiteral("An error occurred ..."), this);
    AlertMessage1->setObjectName(QStringLiteral("AlertMessage1"));
    AlertMessage1->setGeometry(56, 14, 274, 20);

    AlertMessage2 = new QLabel(this);
    AlertMessage2->setObjectName(QStringLiteral("AlertMessage2"));
    AlertMessage2->setGeometry(56, 40, 274, 20);

    AlertOKBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                    QStringLiteral("OK"), this);
    AlertOKBitBtn->setObjectName(QStringLiteral("AlertOKBitBtn"));
    AlertOKBitBtn->setGeometry(346, 8, 81, 27);
    AlertOKBitBtn->setEnabled(false);
    connect(AlertOKBitBtn, &QPushButton::clicked, this, [this] { done(mrOk); });

    AlertCancelBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                        QStringLiteral("&Cancel"), this);
    AlertCancelBitBtn->setObjectName(QStringLiteral("AlertCancelBitBtn"));
    AlertCancelBitBtn->setGeometry(346, 41, 81, 27);
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
