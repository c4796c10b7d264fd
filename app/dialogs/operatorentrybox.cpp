#include "app/dialogs/operatorentrybox.h"

#include "platform/modalresult.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

TActOperatorEntryBox* ActOperatorEntryBox = nullptr;

TActOperatorEntryBox::TActOperatorEntryBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("ActOperatorEntryBox"));
    setWindowTitle(QStringLiteral("Operator Entry "));
    setFixedSize(384, 73);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(6, 6, 281, 61);

    EntryPromptLabel = new QLabel(QStringLiteral("Enter Graph Title:"), this);
    EntryPromptLabel->setObjectName(QStringLiteral("EntryPromptLabel"));
    EntryPromptLabel->setGeometry(14, 10, 265, 20);

    EntryInputEdit = new QLineEdit(this);
    EntryInputEdit->setObjectName(QStringLiteral("EntryInputEdit"));
    EntryInputEdit->setGeometry(14, 34, 265, 25);
    EntryPromptLabel->setBuddy(EntryInputEdit);

    EntryOKBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                    QStringLiteral("OK"), this);
    EntryOKBitBtn->setObjectName(QStringLiteral("EntryOKBitBtn"));
    EntryOKBitBtn->setGeometry(296, 8, 81, 27);
    EntryOKBitBtn->setDefault(true);
    connect(EntryOKBitBtn, &QPushButton::clicked, this, [this] { done(mrOk); });

    EntryAbortBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                       QStringLiteral("Cancel"), this);
    EntryAbortBitBtn->setObjectName(QStringLiteral("EntryAbortBitBtn"));
    EntryAbortBitBtn->setGeometry(296, 40, 81, 27);
    connect(EntryAbortBitBtn, &QPushButton::clicked, this, &TActOperatorEntryBox::reject);

    setTabOrder(EntryInputEdit, EntryOKBitBtn);
    setTabOrder(EntryOKBitBtn, EntryAbortBitBtn);
}

void TActOperatorEntryBox::reject()
{
    done(mrCancel);
}

// Each time the dialog comes to the front, EntryInputEdit takes the focus. Done on activation
// rather than on every paint: a dialog repaints under a button whose look changes, and taking the
// focus then would release a button in the middle of its click.
bool TActOperatorEntryBox::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        EntryInputEdit->setFocus(Qt::ActiveWindowFocusReason);
    return QDialog::event(event);
}
