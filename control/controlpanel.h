#pragma once

#include "control/fittedlabel.h"
#include "control/linetable.h"
#include "control/livecurve.h"
#include "graph/testmaximum.h"
#include "recovery/recoverywriter.h"

#include <QDialog>
#include <QStringList>
#include <memory>

class QButtonGroup;
class QCategoryAxis;
class QChart;
class QChartView;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;
class TUpDown;

// The machine's control panel: the operator's commands, the live read-outs and chart of a running
// test, and the polling that collects the test's lines and finishes it into a graph window.
// Created once at program start and shown modally from the main window.
class TQORcontrolPanel : public QDialog
{
    Q_OBJECT
public:
    explicit TQORcontrolPanel(QWidget* owner = nullptr);

    QLabel* Label1;
    TFittedLabel* QORstatus;
    QFrame* gauge1;
    QLabel* gauge1name;
    QLabel* gauge1reading;
    QFrame* gauge2;
    QLabel* gauge2name;
    QLabel* gauge2reading;
    QGroupBox* RepeatGroupBox;
    QCheckBox* RepeatCheckBox;
    QLineEdit* RepeatCountMaskEdit;
    QLabel* CyclesRequiredLabel;
    QLineEdit* CyclesCompleteMaskEdit;
    QLabel* CyclesCompleteLabel;
    QPushButton* HomeButton;
    QPushButton* TestButton;
    QPushButton* VersionButton;
    QPushButton* StopButton;
    QPushButton* CloseButton;
    QFrame* PC2;
    QGroupBox* PC2Mode;
    QRadioButton* PC2ModeContinuous;
    QRadioButton* PC2ModeIncremental;
    QButtonGroup* PC2ModeItems;
    QLabel* PC2Label;
    QSlider* PC2TrackBar;
    QProgressBar* PC2Meter;
    QLineEdit* PC2Edit;
    TUpDown* PC2UpDown;
    QPushButton* ContIncModeBitBtn;
    TLineTable* TestDataMemo;
    QChartView* ControlChart;
    std::unique_ptr<LiveCurve> Series1;
    QPushButton* DataShowBitBtn;
    QTimer* StatusTimer;

    // The lines collected since the data table was last emptied.
    QStringList TestDataLines() const { return TestDataMemo->Lines(); }

    void FormShow();
    void FormHide();
    void HomeButtonClick();
    void TestButtonClick();
    void VersionButtonClick();
    void StopButtonClick();
    void PC2ModeClick();
    void PC2TrackBarChange();
    void PC2UpDownClick();
    void ContIncModeBitBtnClick();
    void RepeatCheckBoxClick();
    void RepeatCountMaskEditExit();
    void DataShowBitBtnClick();
    void StatusTimerTimer();
    void EndRepeatMode();
    void FinishTest();

signals:
    // A finished test's graph window, for the main window to show among its children.
    void GraphWindowCreated(QWidget* graphWindow);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateStatusAndReadouts();
    void CreateRepeatGroup();
    void CreateCommandButtons();
    void CreateIncrementalForcePanel();
    void CreateDataViews();
    void ConnectHandlers();
    void FormCreate();

    void SendCommand(const QByteArray& text);
    void ShowWaitingResponse();
    void PerformHome();
    void PerformTest();
    void ShowIncrementalForce();
    void SetStatusColour(const QColor& colour);
    void ShowUnitCaptions();

    void ReceiveOneLine();
    void ActOnLine(const QByteArray& line);
    void TakeDataRecord(const QByteArray& line);
    void ApplyRepeatCycling(const QByteArray& line);
    void AskTitleAndShowGraph();

    void AppendTestLine(const QString& line);
    void ReplaceTestLine(int index, const QString& line);
    void ClearTestData();

    void ResetMaximum();

    // The largest force since the lines were last emptied or a test was finished, and the
    // read-out texts it was shown with.
    TestMaximum MaxForce;
    QString MaxForceText = QStringLiteral("0");
    QString MaxForceDisplacementText = QStringLiteral("0");
    QCategoryAxis* displacementAxis_ = nullptr;
    QCategoryAxis* forceAxis_ = nullptr;
    // Tests that ended and wait for their title prompt, oldest first. While tableTestEnded_ the
    // table's own test is the newest of them and lines that arrive still join it; a new test that
    // empties the table moves it to endedTests_.
    QList<QStringList> endedTests_;
    bool tableTestEnded_ = false;
    bool promptPending_ = false;
    bool tickFailureReported_ = false;
    // Every test the table collects is also on disk until it is saved.
    RecoveryWriter recovery_;
};

extern TQORcontrolPanel* QORcontrolPanel;
