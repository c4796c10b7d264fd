#include "control/controlpanel.h"

#include "control/controlchart.h"
#include "control/fittedlabel.h"
#include "control/updown.h"
#include "platform/errorreport.h"
#include "platform/formcomponents.h"
#include "platform/hint.h"
#include "program/settings.h"
#include "protocol/protocol.h"

#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChartView>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGraphicsLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QTimer>

TQORcontrolPanel* QORcontrolPanel = nullptr;

namespace {

const QColor ReadoutRed(255, 0, 0);
const QColor CommandGreen(0, 128, 0);
const QColor Lime(0, 255, 0);

void SetWhiteBackground(QWidget* widget)
{
    SetColour(widget, QPalette::Window, Qt::white);
    widget->setAutoFillBackground(true);
}

// The seven-segment face of the read-outs, or a bold monospace face where it is not installed.
QFont ReadoutFont()
{
    QFont font(QStringLiteral("DSEG7 Classic"));
    if (QFontInfo(font).family() != font.family())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(true);
    font.setPixelSize(27);
    return font;
}

QLineEdit* CreateCountEdit(QWidget* parent, const char* name, int top, const QString& text)
{
    auto* edit = Place<QLineEdit>(parent, name, 22, top, 32, 21);
    edit->setInputMask(QStringLiteral("9000; ")); // one to four digits
    edit->setText(text);
    edit->setEnabled(false);
    return edit;
}

QPushButton* CreateCommandButton(QWidget* parent, const char* name, int left, int top,
                                 const QString& caption, const QString& hint)
{
    auto* button = Place<QPushButton>(parent, name, left, top, 75, 25);
    button->setText(caption);
    button->setAutoDefault(false);
    SetColour(button, QPalette::ButtonText, CommandGreen);
    SetHint(button, hint);
    return button;
}

} // namespace

TQORcontrolPanel::TQORcontrolPanel(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("QORcontrolPanel"));
    setWindowTitle(QStringLiteral("QOR Control  Panel"));
    setFixedSize(556, 363);
    // The form's face at the pixel size its layout was drawn for.
    QFont formFont = font();
    formFont.setPixelSize(11);
    formFont.setStretch(QFont::SemiCondensed);
    setFont(formFont);

    CreateStatusAndReadouts();
    CreateRepeatGroup();
    CreateCommandButtons();
    CreateIncrementalForcePanel();
    CreateDataViews();

    StatusTimer = new QTimer(this);
    StatusTimer->setObjectName(QStringLiteral("StatusTimer"));
    StatusTimer->setInterval(100);

    ConnectHandlers();
    FormCreate();
}

void TQORcontrolPanel::CreateStatusAndReadouts()
{
    Label1 = Place<QLabel>(this, "Label1", 0, 8, 33, 13);
    Label1->setText(QStringLiteral("Status:"));
    Label1->adjustSize();

    QORstatus = Place<TFittedLabel>(this, "QORstatus", 40, 4, 225, 25);
    QORstatus->setText(QStringLiteral("Unknown"));
    QORstatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont statusFont = QORstatus->font();
    statusFont.setPixelSize(19);
    QORstatus->setFont(statusFont);
    SetWhiteBackground(QORstatus);
    SetColour(QORstatus, QPalette::WindowText, Lime);
    SetHint(QORstatus, QStringLiteral("QOR Response|Status reported from the QOR Machine"));

    const auto createGauge = [this](const char* frameName, const char* nameName,
                                    const char* readingName, int top, const QString& caption,
                                    const QString& hint, QLabel*& name, QLabel*& reading) {
        auto* frame = Place<QFrame>(this, frameName, 6, top, 162, 73);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        SetHint(frame, hint);
        name = Place<QLabel>(frame, nameName, 15, 8, 130, 13);
        name->setText(caption);
        name->setAlignment(Qt::AlignCenter);
        reading = Place<QLabel>(frame, readingName, 16, 24, 130, 33);
        reading->setText(QStringLiteral("OFF"));
        reading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        reading->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        reading->setFont(ReadoutFont());
        SetWhiteBackground(reading);
        SetColour(reading, QPalette::WindowText, ReadoutRed);
        SetHint(reading, hint);
        reading->setEnabled(false);
        return frame;
    };
    gauge1 =
        createGauge("gauge1", "gauge1name", "gauge1reading", 32, QStringLiteral("Force (lbs.)"),
                    QStringLiteral("QOR Force|Present Force or the Test's Maximum Force"),
                    gauge1name, gauge1reading);
    gauge2 = createGauge("gauge2", "gauge2name", "gauge2reading", 108,
                         QStringLiteral("Displacement (in.)"),
                         QStringLiteral("QOR Displacement|Present Displacement or the "
                                        "Displacement at the Test's Maximum Force"),
                         gauge2name, gauge2reading);
}

void TQORcontrolPanel::CreateRepeatGroup()
{
    RepeatGroupBox = Place<QGroupBox>(this, "RepeatGroupBox", 6, 184, 162, 81);
    RepeatGroupBox->setTitle(QStringLiteral("Repeat Cycle"));

    RepeatCheckBox = Place<QCheckBox>(RepeatGroupBox, "RepeatCheckBox", 84, 12, 57, 17);
    RepeatCheckBox->setText(QStringLiteral("Enable"));
    SetHint(RepeatCheckBox,
            QStringLiteral("Check to Enable Repeat|Check to Enable Repeat Cycle Mode"));

    RepeatCountMaskEdit =
        CreateCountEdit(RepeatGroupBox, "RepeatCountMaskEdit", 30, QStringLiteral("1"));
    CyclesRequiredLabel = Place<QLabel>(RepeatGroupBox, "CyclesRequiredLabel", 58, 34, 77, 13);
    CyclesRequiredLabel->setText(QStringLiteral("Cycles Required"));
    CyclesRequiredLabel->adjustSize();
    CyclesRequiredLabel->setBuddy(RepeatCountMaskEdit);

    CyclesCompleteMaskEdit =
        CreateCountEdit(RepeatGroupBox, "CyclesCompleteMaskEdit", 54, QStringLiteral("0"));
    CyclesCompleteLabel = Place<QLabel>(RepeatGroupBox, "CyclesCompleteLabel", 58, 58, 78, 13);
    CyclesCompleteLabel->setText(QStringLiteral("Cycles Complete"));
    CyclesCompleteLabel->adjustSize();
}

void TQORcontrolPanel::CreateCommandButtons()
{
    HomeButton = CreateCommandButton(this, "HomeButton", 6, 272, QStringLiteral("&Home"),
                                     QStringLiteral("Send Home|Request the QOR to Return Home"));
    TestButton = CreateCommandButton(this, "TestButton", 92, 272, QStringLiteral("&Test"),
                                     QStringLiteral("Start Test|Request the QOR to Start Testing"));
    VersionButton = CreateCommandButton(
        this, "VersionButton", 6, 304, QStringLiteral("&Version"),
        QStringLiteral("QOR Software Version|Request the QOR's Software Version"));
    StopButton = CreateCommandButton(this, "StopButton", 92, 304, QStringLiteral("&Stop"),
                                     QStringLiteral("Stop Test|Request the QOR to Stop Testing"));

    CloseButton = Place<QPushButton>(this, "CloseButton", 6, 336, 75, 25);
    CloseButton->setText(QStringLiteral("&Close"));
    CloseButton->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    CloseButton->setAutoDefault(false);
    SetHint(CloseButton, QStringLiteral("Close Control Panel|Close this QOR Control Panel"));
}

void TQORcontrolPanel::CreateIncrementalForcePanel()
{
    PC2 = Place<QFrame>(this, "PC2", 172, 32, 89, 329);
    PC2->setFrameStyle(QFrame::Panel | QFrame::Raised);

    PC2Mode = Place<QGroupBox>(PC2, "PC2Mode", 0, 0, 89, 49);
    PC2Mode->setTitle(QStringLiteral("Mode"));
    SetHint(PC2Mode, QStringLiteral("Change Test Mode|Select Continuous or Incremental Test Mode"));
    PC2ModeContinuous = Place<QRadioButton>(PC2Mode, "PC2ModeContinuous", 4, 14, 84, 16);
    PC2ModeContinuous->setText(QStringLiteral("Continuous"));
    PC2ModeIncremental = Place<QRadioButton>(PC2Mode, "PC2ModeIncremental", 4, 30, 84, 16);
    PC2ModeIncremental->setText(QStringLiteral("Incremental"));
    PC2ModeItems = new QButtonGroup(PC2Mode);
    PC2ModeItems->addButton(PC2ModeContinuous, 0);
    PC2ModeItems->addButton(PC2ModeIncremental, 1);
    PC2ModeContinuous->setChecked(true);

    PC2Label = Place<QLabel>(PC2, "PC2Label", 1, 49, 85, 13);
    PC2Label->setText(QStringLiteral("Incremental Force"));
    PC2Label->setAlignment(Qt::AlignCenter);
    QFont narrow = PC2Label->font();
    narrow.setPixelSize(10);
    PC2Label->setFont(narrow);

    // Upside down: the top of the slider is the largest force.
    PC2TrackBar = Place<QSlider>(PC2, "PC2TrackBar", 13, 64, 33, 218);
    PC2TrackBar->setOrientation(Qt::Vertical);
    PC2TrackBar->setInvertedAppearance(true);
    PC2TrackBar->setInvertedControls(true);
    PC2TrackBar->setRange(0, 240);
    PC2TrackBar->setValue(240);
    PC2TrackBar->setPageStep(50);
    PC2TrackBar->setTickInterval(50);
    PC2TrackBar->setTickPosition(QSlider::TicksBothSides);
    PC2TrackBar->setEnabled(false);
    SetHint(PC2TrackBar, QStringLiteral("Incremental Force Slider|Position Pointer to Desired "
                                        "Incremental Force Setting"));

    PC2Meter = Place<QProgressBar>(PC2, "PC2Meter", 48, 77, 25, 200);
    PC2Meter->setOrientation(Qt::Vertical);
    PC2Meter->setRange(0, 250);
    PC2Meter->setValue(10);
    PC2Meter->setTextVisible(false);
    SetColour(PC2Meter, QPalette::Highlight, Lime);
    PC2Meter->setEnabled(false);
    SetHint(PC2Meter, QStringLiteral("Present Incremental Force|Meter Displays Present "
                                     "Incremental Force Setting"));

    PC2Edit = Place<QLineEdit>(PC2, "PC2Edit", 16, 280, 40, 21);
    PC2Edit->setReadOnly(true);
    SetHint(PC2Edit, QStringLiteral("Incremental Force Setting|Set to Desired Incremental "
                                    "Force Setting"));

    PC2UpDown = Place<TUpDown>(PC2, "PC2UpDown", 56, 280, 16, 24);
    PC2UpDown->SetRange(10, 250, 10);
    PC2UpDown->SetPosition(10);
    PC2UpDown->setEnabled(false);
    SetHint(PC2UpDown, QStringLiteral("Inc/Dec Incremental Force|Set to Desired Incremental "
                                      "Force Setting"));

    ContIncModeBitBtn = Place<QPushButton>(PC2, "ContIncModeBitBtn", 8, 304, 75, 25);
    ContIncModeBitBtn->setText(QStringLiteral("Set Cont."));
    ContIncModeBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    ContIncModeBitBtn->setAutoDefault(false);
    SetHint(ContIncModeBitBtn, QStringLiteral("Set Mode/Force|Send New Test Mode and "
                                              "Incremental Force Settings to the QOR"));
}

void TQORcontrolPanel::CreateDataViews()
{
    // The data table lies underneath the chart; hiding the chart shows it.
    TestDataMemo = Place<TLineTable>(this, "TestDataMemo", 272, 8, 273, 305);
    TestDataMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TestDataMemo->setFocusPolicy(Qt::ClickFocus);

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("QOR1000 Test Graph"));
    chart->setBackgroundBrush(Qt::white);
    chart->legend()->hide();
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setTitleFont(font());

    displacementAxis_ = new QCategoryAxis(chart);
    forceAxis_ = new QCategoryAxis(chart);
    for (QCategoryAxis* axis : {displacementAxis_, forceAxis_}) {
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        axis->setGridLinePen(QPen(Qt::blue, 1, Qt::SolidLine));
        axis->setGridLineVisible(true);
        axis->setLabelsFont(font());
        axis->setTitleFont(font());
    }
    chart->addAxis(displacementAxis_, Qt::AlignBottom);
    chart->addAxis(forceAxis_, Qt::AlignLeft);
    Series1 =
        std::make_unique<LiveCurve>(chart, displacementAxis_, forceAxis_, QPen(ReadoutRed, 2));

    // Made with its chart: a view made without one makes a chart of its own, which setChart would
    // leave behind.
    ControlChart = new QChartView(chart, this);
    ControlChart->setObjectName(QStringLiteral("ControlChart"));
    ControlChart->setGeometry(264, 0, 289, 337);
    ControlChart->setRenderHint(QPainter::Antialiasing);

    DataShowBitBtn = Place<QPushButton>(this, "DataShowBitBtn", 474, 337, 75, 25);
    DataShowBitBtn->setText(QStringLiteral("Show &Data"));
    DataShowBitBtn->setAutoDefault(false);
    SetHint(DataShowBitBtn, QStringLiteral("Toggle Graph/Table|Show the Test's Data as a Graph "
                                           "or as a Data Table"));
}

void TQORcontrolPanel::FormCreate()
{
    if (PortName.isEmpty())
        return;
    ErrorReport::Guard(this, [this] { SendCommand(QorCommand::Continuous); });
}
