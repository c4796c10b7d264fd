#include "app/dialogs/aboutbox.h"

#include "platform/formcomponents.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

const QString TAboutBox::Caption = QStringLiteral("About This Program");

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(Caption);
    setFixedSize(305, 139);
    SetColour(this, QPalette::Window, Qt::cyan);
    setAutoFillBackground(true);

    Bevel1 = Place<QFrame>(this, "Bevel1", 8, 8, 289, 89);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

    Image1 = Place<QLabel>(this, "Image1", 20, 20, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));

    Label1 = Place<QLabel>(this, "Label1", 60, 20, 217, 24);
    Label1->setText(QStringLiteral("Velmont 1000"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    Label3 = Place<QLabel>(this, "Label3", 60, 52, 217, 33);
    Label3->setText(QStringLiteral("Operator program for the QOR-1000 force tester."));
    Label3->setWordWrap(true);

    BitBtn1 = Place<QPushButton>(this, "BitBtn1", 115, 106, 75, 25);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setText(QStringLiteral("OK"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
