#include "app/dialogs/aboutbox.h"

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
    QPalette aqua = palette();
    aqua.setColor(QPalette::Window, Qt::cyan);
    setPalette(aqua);
    setAutoFillBackground(true);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Bevel1->setGeometry(8, 8, 289, 89);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(20, 20, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));

    Label1 = new QLabel(QStringLiteral("Velmont 1000"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(60, 20, 217, 24);
    Label1->setAlignment(Qt::AlignCenter);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    Label3 = new QLabel(QStringLiteral("Operator program for the QOR-1000 force tester."), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(60, 52, 217, 33);
    Label3->setWordWrap(true);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(115, 106, 75, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}
