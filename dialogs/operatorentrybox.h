#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The one-line prompt reused for every entry: OK gives result 1, Cancel result 2. It is never
// emptied, so the edit starts with the previous entry and the label keeps the last prompt.
class TActOperatorEntryBox : public QDialog
{
    Q_OBJECT
public:
    explicit TActOperatorEntryBox(QWidget* owner = nullptr);

    QFrame* Bevel1;
    QLabel* EntryPromptLabel;
    QLineEdit* EntryInputEdit;
    QPushButton* EntryOKBitBtn;
    QPushButton* EntryAbortBitBtn;

    void reject() override; // Escape and the title-bar button give Cancel

protected:
    bool event(QEvent* event) override;
};

extern TActOperatorEntryBox* ActOperatorEntryBox;
