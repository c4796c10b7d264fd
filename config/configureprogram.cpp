#include "config/configureprogram.h"

#include "config/configurelines.h"
#include "dialogs/alertbox.h"
#include "platform/errorreport.h"
#include "platform/errors.h"
#include "platform/formcomponents.h"
#include "platform/linefile.h"
#include "platform/modalresult.h"
#include "platform/radiogroup.h"
#include "program/settings.h"
#include "serial/serialcomm.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace {

// An index of a two-item group: 0 for the first item, 1 for the second, -1 for none.
int TwoItemIndex(std::optional<bool> first)
{
    return first ? (*first ? 0 : 1) : -1;
}

std::optional<bool> TwoItemChoice(const RadioGroup* group)
{
    return group->ItemIndex() < 0 ? std::nullopt : std::optional(group->ItemIndex() == 0);
}

} // namespace

TConfigureProgram::TConfigureProgram(QWidget* owner)
    : QDialog(owner), filePath_(QDir(StartDirectory).filePath(QStringLiteral("QOR.dat")))
{
    setObjectName(QStringLiteral("ConfigureProgram"));
    setWindowTitle(QStringLiteral("Configure QOR Program"));
    setFixedSize(384, 179);
    move(screen()->availableGeometry().center() - rect().center());
    // The groups are laid out small; a small face keeps every caption whole.
    SetPointSize(this, 8);

    Bevel1 = Place<QFrame>(this, "Bevel1", 8, 8, 257, 161);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Label1 = Place<QLabel>(this, "Label1", 24, 24, 158, 20);
    Label1->setText(QStringLiteral("Select your System Options"));

    QStringList ports;
    for (int port = 1; port <= 8; ++port)
        ports << QStringLiteral("COM%1").arg(port);
    PortRadioGroup = Place<RadioGroup>(this, "PortRadioGroup", 16, 56, 137, 105,
                                       QStringLiteral("Serial Port"), ports, 2);
    PrinterRadioGroup =
        Place<RadioGroup>(this, "PrinterRadioGroup", 184, 20, 73, 65, QStringLiteral("Graph Print"),
                          QStringList{QStringLiteral("Color"), QStringLiteral("Blk/Wht")});
    UnitsRadioGroup =
        Place<RadioGroup>(this, "UnitsRadioGroup", 184, 97, 73, 65, QStringLiteral("Units"),
                          QStringList{QStringLiteral("English"), QStringLiteral("Metric")});

    OKBtn = Place<QPushButton>(this, "OKBtn", 300, 8, 75, 25);
    OKBtn->setText(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, [this] {
        // The dialog closes with OK even when a step failed; the failure is reported.
        ErrorReport::Guard(this, [this] { OKBtnClick(); });
        done(mrOk);
    });
    CancelBtn = Place<QPushButton>(this, "CancelBtn", 300, 38, 75, 25);
    CancelBtn->setText(QStringLiteral("Cancel"));
    connect(CancelBtn, &QPushButton::clicked, this, &TConfigureProgram::reject);
}

void TConfigureProgram::reject()
{
    done(mrCancel);
}

void TConfigureProgram::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TConfigureProgram::FormShow()
{
    try {
        QORdatLines = ReadInstallationLines(filePath_);
    } catch (const FileError&) {
        // Writing over a file that could not be read would lose its other lines.
        OKBtn->setEnabled(false);
        QTimer::singleShot(
            0, this, [this, error = std::current_exception()] { ErrorReport::Show(this, error); });
        return;
    }
    const ConfigureChoices shown = ReadConfigureChoices(QORdatLines);
    PortRadioGroup->SetItemIndex(shown.port.value_or(0) - 1);
    PrinterRadioGroup->SetItemIndex(TwoItemIndex(shown.colour));
    UnitsRadioGroup->SetItemIndex(TwoItemIndex(shown.english));
}

ConfigureChoices TConfigureProgram::Chosen() const
{
    const int port = PortRadioGroup->ItemIndex();
    return {port < 0 ? std::nullopt : std::optional(port + 1), TwoItemChoice(PrinterRadioGroup),
            TwoItemChoice(UnitsRadioGroup)};
}

void TConfigureProgram::OKBtnClick()
{
    // A port whose machine went away (switched off, cable pulled) cannot be closed; the serial
    // layer has logged that, and the operator's choices apply all the same.
    if (PortName.startsWith(QLatin1Char('C'))) {
        try {
            SerialComm::PortClose(PortName);
        } catch (int) {
        }
    }

    const ConfigureChoices chosen = Chosen();
    const ConfigureRewrite rewrite = RewriteConfigureLines(QORdatLines, chosen);
    QORdatLines = rewrite.lines;
    const bool colourBefore = ColorGraph;
    const bool englishBefore = UnitsEnglish;
    ColorGraph = rewrite.colour.value_or(ColorGraph);
    ApplyUnits(rewrite.english.value_or(UnitsEnglish));
    if (ColorGraph != colourBefore || UnitsEnglish != englishBefore)
        emit DisplaySettingsChanged();

    if (chosen.port)
        PortName = QStringLiteral("COM%1").arg(*chosen.port);
    if (!SerialComm::OpenMachinePort(PortName)) {
        AlertPortNotAvailable();
        PortName.clear();
        QORdatLines[rewrite.portLine] = PortLine(std::nullopt);
    }
    // A file that cannot be written is reported as such; the port, open or not, is not at fault.
    WriteLineFile(filePath_, QORdatLines);
}

void TConfigureProgram::AlertPortNotAvailable()
{
    TAlertBox alert(this);
    alert.AlertMessage1->setText(QStringLiteral("The new Serial Port is not available."));
    alert.AlertMessage2->setText(
        QStringLiteral("Functions requiring QOR communications will be disabled."));
    alert.exec();
}
