#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

// The start-up dialog: reads the installation file when shown. A clean file lets Timer1 close it
// after five seconds; a faulty one waits for Ignore (go on) or Abort (end the program).
class TInitializingBox : public QDialog
{
    Q_OBJECT
public:
    explicit TInitializingBox(QWidget* owner);

    QLabel* Image1;
    QLabel* Status;
    QPushButton* IgnoreBitBtn;
    QPushButton* AbortBitBtn;
    QTimer* Timer1;

    void reject() override; // Escape is Abort

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override; // the close box goes on, as Ignore does

private:
    void FormShow();
    void Timer1Timer();
    void IgnoreBitBtnClick();
    void AbortBitBtnClick();
};
