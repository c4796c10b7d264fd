#include "config/initializingbox.h"

#include "config/installationfile.h"
#include "platform/formcomponents.h"
#include "platform/modalresult.h"
#include "platform/termination.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

namespace {

constexpr int VisibleWidth =
    299; // the picture is wider than the dialog, which cuts it at the right

// The start-up picture: the program's heading over a force curve rising to a break.
QPixmap StartupPicture()
{
    QPixmap picture(320, 177);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, picture.height());
    sky.setColorAt(0, QColor(0, 0, 128));
    sky.setColorAt(1, QColor(0, 160, 200));
    painter.fillRect(picture.rect(), sky);

    QPainterPath curve(QPointF(20, 160));
    curve.cubicTo(80, 150, 150, 70, 220, 60);
    curve.lineTo(250, 64);
    curve.lineTo(262, 150);
    painter.setPen(QPen(Qt::yellow, 3));
    painter.drawPath(curve);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(20, 162, 300, 162);
    painter.drawLine(20, 162, 20, 50);

    QFont heading(QStringLiteral("Sans Serif"), 22, QFont::Bold);
    painter.setFont(heading);
    painter.drawText(QRect(0, 8, VisibleWidth, 40), Qt::AlignCenter,
                     QStringLiteral("Velmont 1000"));
    return picture;
}

} // namespace

TInitializingBox::TInitializingBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("InitializingBox"));
    setWindowTitle(QStringLiteral("Initializing ..."));
    setFixedSize(VisibleWidth, 228);
    move(screen()->availableGeometry().center() - rect().center());

    Image1 = Place<QLabel>(this, "Image1", 0, 0, 320, 177);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setScaledContents(true);
    Image1->setPixmap(StartupPicture());

    Status = Place<QLabel>(this, "Status", 8, 184, VisibleWidth - 16, 16);
    Status->setText(QStringLiteral("Loading Program and the Installation Configuration ..."));
    SetPointSize(Status, 7);

    IgnoreBitBtn = Place<QPushButton>(this, "IgnoreBitBtn", 224, 200, 75, 25);
    IgnoreBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogIgnoreButton));
    IgnoreBitBtn->setText(QStringLiteral("&Ignore"));
    IgnoreBitBtn->setEnabled(false);
    connect(IgnoreBitBtn, &QPushButton::clicked, this, &TInitializingBox::IgnoreBitBtnClick);

    AbortBitBtn = Place<QPushButton>(this, "AbortBitBtn", 136, 200, 75, 25);
    AbortBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogAbortButton));
    AbortBitBtn->setText(QStringLiteral("&Abort"));
    AbortBitBtn->setFocus();
    connect(AbortBitBtn, &QPushButton::clicked, this, &TInitializingBox::AbortBitBtnClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TInitializingBox::Timer1Timer);
}

void TInitializingBox::reject()
{
    AbortBitBtnClick();
}

void TInitializingBox::closeEvent(QCloseEvent* event)
{
    // Only Abort and Escape end the program.
    IgnoreBitBtnClick();
    event->accept();
}

void TInitializingBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TInitializingBox::FormShow()
{
    try {
        ReadInstallationFile();
        Timer1->start();
    } catch (...) {
        // What went wrong is in errors/install.errors.txt; the operator decides how to go on.
        Status->setText(QStringLiteral("Configuration error. PRESS- Ignore to continue, ..."));
        IgnoreBitBtn->setEnabled(true);
    }
}

void TInitializingBox::Timer1Timer()
{
    done(mrCancel);
}

void TInitializingBox::IgnoreBitBtnClick()
{
    done(mrCancel);
}

void TInitializingBox::AbortBitBtnClick()
{
    Termination::Request();
    done(mrAbort);
}
