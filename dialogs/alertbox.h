#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// A two-line warning. Cancel always closes it (result 2); OK (result 1) only once the caller has
// enabled AlertOKBitBtn, for an alert that offers a choice.
class TAlertBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAlertBox(QWidget* owner);

    QFrame* Bevel1;
    QLabel* Image1;
    QLabel* AlertMessage1;
    QLabel* AlertMessage2;
    QPushButton* AlertOKBitBtn;
    QPushButton* AlertCancelBitBtn;

    void reject() override; // Escape and the title-bar button give Cancel

protected:
    bool event(QEvent* event) override;
};
