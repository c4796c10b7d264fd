#pragma once

#include <QDialog>
#include <QStringList>

class QFrame;
class QLabel;
class QPushButton;
class RadioGroup;
struct ConfigureChoices;

// Machine | Configure Program: the serial port, colour or black-and-white graphs, English or
// metric units. Shows what QOR.dat holds; OK rewrites those lines of the file, applies colour and
// units at once and opens the chosen port again. Cancel, Escape and the close box change nothing.
class TConfigureProgram : public QDialog
{
    Q_OBJECT
public:
    explicit TConfigureProgram(QWidget* owner);

    QFrame* Bevel1;
    QLabel* Label1;
    RadioGroup* PortRadioGroup; // item i is COM(i + 1)
    RadioGroup* PrinterRadioGroup;
    RadioGroup* UnitsRadioGroup;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void reject() override; // Cancel

signals:
    // The colour or units setting changed: whatever shows them must redraw.
    void DisplaySettingsChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void OKBtnClick();
    ConfigureChoices Chosen() const;
    void AlertPortNotAvailable();

    QString filePath_;
    QStringList QORdatLines; // the working copy of QOR.dat while the dialog is open
};
