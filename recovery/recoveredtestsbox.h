#pragma once

#include "recovery/recoveryformat.h"

#include <QList>
#include <QMessageBox>

#include <functional>

// The offer, at start, of the tests that were not saved when the program last ended: how many and
// which, then Open (the default button, Enter), Later (also Escape and the close box) or Discard.
class TRecoveredTestsBox : public QMessageBox
{
    Q_OBJECT
public:
    TRecoveredTestsBox(QWidget* owner, const QList<RecoveredTest>& tests);

    QPushButton* RecoveryOpenBtn;
    QPushButton* RecoveryLaterBtn;
    QPushButton* RecoveryDiscardBtn;
};

// Offers the tests that the recovery folder keeps, when it keeps any, and does what the operator
// chooses: Open hands each to show as an unsaved graph window, oldest first, so that the newest
// ends up the active window; Discard moves their files to recovery/discarded/; Later leaves them
// for the next start.
void OfferRecoveredTests(QWidget* owner, const std::function<void(QWidget*)>& show);
