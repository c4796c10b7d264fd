// The control panel's command handlers: showing and hiding, the machine's commands, the
// incremental force, the repeat controls and the graph/table toggle.
#include "control/controlpanel.h"

#include "control/controlchart.h"
#include "control/repeatcycle.h"
#include "control/updown.h"
#include "platform/errorreport.h"
#include "platform/formcomponents.h"
#include "platform/messagebox.h"
#include "platform/numbertext.h"
#include "program/settings.h"
#include "protocol/protocol.h"
#include "serial/serialcomm.h"

#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusTipEvent>
#include <QTimer>

namespace {

const QColor WaitingRed(255, 0, 0);

// The number in a repeat count field, or -1 when the field holds no number.
int CountIn(const QLineEdit* edit)
{
    return RepeatCount(edit->text()).value_or(-1);
}

} // namespace

void TQORcontrolPanel::ConnectHandlers()
{
    const auto guarded = [this](void (TQORcontrolPanel::*handler)()) {
        return
            [this, handler] { ErrorReport::Guard(this, [this, handler] { (this->*handler)(); }); };
    };
    connect(HomeButton, &QPushButton::clicked, this, guarded(&TQORcontrolPanel::HomeButtonClick));
    connect(TestButton, &QPushButton::clicked, this, guarded(&TQORcontrolPanel::TestButtonClick));
    connect(VersionButton, &QPushButton::clicked, this,
            guarded(&TQORcontrolPanel::VersionButtonClick));
    connect(StopButton, &QPushButton::clicked, this, guarded(&TQORcontrolPanel::StopButtonClick));
    connect(ContIncModeBitBtn, &QPushButton::clicked, this,
            guarded(&TQORcontrolPanel::ContIncModeBitBtnClick));
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(DataShowBitBtn, &QPushButton::clicked, this, &TQORcontrolPanel::DataShowBitBtnClick);
    connect(PC2ModeItems, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            PC2ModeClick();
    });
    connect(PC2TrackBar, &QSlider::valueChanged, this, &TQORcontrolPanel::PC2TrackBarChange);
    connect(PC2UpDown, &TUpDown::Click, this, &TQORcontrolPanel::PC2UpDownClick);
    connect(RepeatCheckBox, &QCheckBox::toggled, this, &TQORcontrolPanel::RepeatCheckBoxClick);
    RepeatCountMaskEdit->installEventFilter(this);
    CyclesCompleteMaskEdit->installEventFilter(this);
    connect(StatusTimer, &QTimer::timeout, this, &TQORcontrolPanel::StatusTimerTimer);
    // Said in the main window's status bar, where the panel's hints go (event()).
    connect(&recovery_, &RecoveryWriter::WriteFailed, this, [this](const QString& message) {
        QStatusTipEvent tip(message);
        QCoreApplication::sendEvent(this, &tip);
    });
}

void TQORcontrolPanel::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TQORcontrolPanel::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        FormHide();
    QDialog::hideEvent(event);
}

bool TQORcontrolPanel::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a count field for another control of the panel; switching to another window
    // (such as the notice itself) is not leaving it. Nor is the field's being disabled under the
    // cursor when repeat mode ends: the count is out of use then, and the check box puts a
    // used-up or half-typed count back to 1 (the notice would open inside the polling tick).
    if (event->type() == QEvent::FocusOut &&
        (watched == RepeatCountMaskEdit || watched == CyclesCompleteMaskEdit)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            static_cast<QWidget*>(watched)->isEnabled())
            RepeatCountMaskEditExit();
    }
    return QDialog::eventFilter(watched, event);
}

bool TQORcontrolPanel::event(QEvent* event)
{
    // The long hints belong in the main window's status bar, which a dialog does not reach.
    if (event->type() == QEvent::StatusTip) {
        if (parentWidget())
            return QCoreApplication::sendEvent(parentWidget()->window(), event);
    }
    return QDialog::event(event);
}

void TQORcontrolPanel::keyPressEvent(QKeyEvent* event)
{
    // The panel closes only by its Close button or its close box: a stray Escape would stop a
    // running test, and the next showing would empty its lines.
    if (event->matches(QKeySequence::Cancel))
        return;
    QDialog::keyPressEvent(event);
}

void TQORcontrolPanel::FormShow()
{
    QORstatus->setText(QStringLiteral("Unknown"));
    SetStatusColour(WaitingRed);
    StatusTimer->start();
    tickFailureReported_ = false;

    gauge1reading->setText(QStringLiteral("0"));
    gauge2reading->setText(QStringLiteral("0.000"));
    ShowUnitCaptions();
    SetFixedAxisRange(displacementAxis_, 1600 * DisplacementFactor, 0.1, 5,
                      QStringLiteral("#,##0.00#"));
    SetFixedAxisRange(forceAxis_, 1000 * ForceFactor, 1.0, 10, QStringLiteral("#,##0"));
    ShowIncrementalForce();
    ClearTestData();

    RepeatCheckBox->setChecked(false);
    RepeatCountMaskEdit->setEnabled(false);
}

void TQORcontrolPanel::FormHide()
{
    std::exception_ptr stopFailed;
    try {
        SendCommand(QorCommand::Stop);
    } catch (...) {
        stopFailed = std::current_exception();
    }
    // Polling and repeat mode end even when the stop command could not be sent, and before that
    // failure is shown, so that no tick runs under its report.
    StatusTimer->stop();
    RepeatCheckBox->setChecked(false);
    RepeatCountMaskEdit->setEnabled(false);
    RepeatCountMaskEdit->setText(QStringLiteral("1"));
    if (stopFailed)
        ErrorReport::Show(this, stopFailed);
}

void TQORcontrolPanel::ShowUnitCaptions()
{
    const QString force =
        UnitsEnglish ? QStringLiteral("Force (lbs.)") : QStringLiteral("Force (kg)");
    const QString displacement =
        UnitsEnglish ? QStringLiteral("Displacement (in.)") : QStringLiteral("Displacement (cm)");
    gauge1name->setText(force);
    forceAxis_->setTitleText(force);
    gauge2name->setText(displacement);
    displacementAxis_->setTitleText(displacement);
}

void TQORcontrolPanel::SendCommand(const QByteArray& text)
{
    SerialComm::PortSend(PortName, text);
}

void TQORcontrolPanel::ShowWaitingResponse()
{
    QORstatus->setText(QStringLiteral("Waiting response"));
    SetStatusColour(WaitingRed);
}

void TQORcontrolPanel::SetStatusColour(const QColor& colour)
{
    SetColour(QORstatus, QPalette::WindowText, colour);
}

void TQORcontrolPanel::HomeButtonClick()
{
    PerformHome();
}

void TQORcontrolPanel::PerformHome()
{
    SendCommand(QorCommand::Home);
    ShowWaitingResponse();
}

void TQORcontrolPanel::TestButtonClick()
{
    PerformTest();
}

void TQORcontrolPanel::PerformTest()
{
    SendCommand(QorCommand::Test);
    ShowWaitingResponse();
    // Later cycles of a repeat series add to the lines of the first.
    if (!(RepeatCheckBox->isChecked() && CountIn(CyclesCompleteMaskEdit) != 0))
        ClearTestData();
}

void TQORcontrolPanel::VersionButtonClick()
{
    SendCommand(QorCommand::Version);
    ShowWaitingResponse();
}

void TQORcontrolPanel::StopButtonClick()
{
    SendCommand(QorCommand::Stop);
    ShowWaitingResponse();
    RepeatCheckBox->setChecked(false);
    RepeatCountMaskEdit->setEnabled(false);
}

void TQORcontrolPanel::PC2ModeClick()
{
    const bool incremental = PC2ModeIncremental->isChecked();
    PC2UpDown->setEnabled(incremental);
    PC2TrackBar->setEnabled(incremental);
    ContIncModeBitBtn->setText(incremental ? QStringLiteral("Set Inc.")
                                           : QStringLiteral("Set Cont."));
}

void TQORcontrolPanel::PC2TrackBarChange()
{
    const int snapped = PC2TrackBar->value() / 10 * 10;
    if (snapped != PC2TrackBar->value()) {
        PC2TrackBar->setValue(snapped); // runs this handler again with the snapped position
        return;
    }
    PC2UpDown->SetPosition(250 - snapped);
    ShowIncrementalForce();
}

void TQORcontrolPanel::PC2UpDownClick()
{
    PC2TrackBar->setValue(250 - PC2UpDown->Position());
    ShowIncrementalForce();
}

void TQORcontrolPanel::ShowIncrementalForce()
{
    PC2Edit->setText(FormatFloat(QStringLiteral("0"), PC2UpDown->Position() * ForceFactor));
}

void TQORcontrolPanel::ContIncModeBitBtnClick()
{
    if (PC2ModeIncremental->isChecked()) {
        for (const QByteArray& piece : IncrementalSettingWrites(PC2UpDown->Position()))
            SendCommand(piece);
    } else {
        SendCommand(QorCommand::Continuous);
    }
    ShowWaitingResponse();
}

void TQORcontrolPanel::RepeatCheckBoxClick()
{
    if (RepeatCheckBox->isChecked()) {
        RepeatCountMaskEdit->setEnabled(true);
        CyclesCompleteMaskEdit->setText(QStringLiteral("0"));
        return;
    }
    RepeatCountMaskEdit->setEnabled(false);
    if (CountIn(RepeatCountMaskEdit) <= 0)
        RepeatCountMaskEdit->setText(QStringLiteral("1"));
}

void TQORcontrolPanel::RepeatCountMaskEditExit()
{
    const int count = CountIn(RepeatCountMaskEdit);
    if (count >= 1 && count <= 9999)
        return;
    SystemMessageBox(this, QStringLiteral("Repeat Count must be between 1 and 9999!"),
                     QStringLiteral("Error!"));
    RepeatCountMaskEdit->setText(QStringLiteral("1"));
}

void TQORcontrolPanel::DataShowBitBtnClick()
{
    const bool showChart = ControlChart->isHidden();
    ControlChart->setVisible(showChart);
    DataShowBitBtn->setText(showChart ? QStringLiteral("Show &Data")
                                      : QStringLiteral("Show &Graph"));
}
