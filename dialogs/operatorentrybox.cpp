#include "dialogs/operatorentrybox.h"

#include "platform/formcomponents.h"
#include "platform/modalresult.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>

TActOperatorEntryBox* ActOperatorEntryBox = nullptr;

TActOperatorEntryBox::TActOperatorEntryBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("ActOperatorEntryBox"));
    setWindowTitle(QStringLiteral("Operator Entry "));
    setFixedSize(384, 73);

    Bevel1 = Place<QFrame>(this, "Bevel1", 6, 6, 281, 61);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    EntryPromptLabel = Place<QLabel>(this, "EntryPromptLabel", 14, 10, 265, 20);
    EntryPromptLabel->setText(QStringLiteral("Enter Graph Title:"));

    EntryInputEdit = Place<QLineEdit>(this, "EntryInputEdit", 14, 34, 265, 25);
    // A title is one line of a Latin-1 test file: only characters that file can hold are taken,
    // and no control character (a pasted line break would split the test).
    EntryInputEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[\\x{20}-\\x{7e}\\x{80}-\\x{ff}]*")), EntryInputEdit));
    EntryPromptLabel->setBuddy(EntryInputEdit);

    EntryOKBitBtn = Place<QPushButton>(this, "EntryOKBitBtn", 296, 8, 81, 27);
    EntryOKBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    EntryOKBitBtn->setText(QStringLiteral("OK"));
    EntryOKBitBtn->setDefault(true);
    connect(EntryOKBitBtn, &QPushButton::clicked, this, [this] { done(mrOk); });

    EntryAbortBitBtn = Place<QPushButton>(this, "EntryAbortBitBtn", 296, 40, 81, 27);
    EntryAbortBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    EntryAbortBitBtn->setText(QStringLiteral("Cancel"));
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
