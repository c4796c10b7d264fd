#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The About box. Its caption is also the name of the single-instance lock.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner);

    static const QString Caption;

    QFrame* Bevel1;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label3;
    QPushButton* BitBtn1;
};
