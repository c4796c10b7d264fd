#include "modalanswers.h"
#include "panelharness.h"

#include "control/updown.h"
#include "program/settings.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using Writes = QList<QByteArray>;

class TestControlPanel : public QObject
{
    Q_OBJECT
private slots:
    void creationSendsContinuousOnlyWithAPort_data();
    void creationSendsContinuousOnlyWithAPort();
    void commandButtonsSendAndWait_data();
    void commandButtonsSendAndWait();
    void failedSendLeavesTheStatus();
    void modeEnablesTheIncrementalControls();
    void sliderSnapsToTens_data();
    void sliderSnapsToTens();
    void upDownStepsAndStopsAtItsLimits_data();
    void upDownStepsAndStopsAtItsLimits();
    void repeatCountCheckedOnLeavingTheField_data();
    void repeatCountCheckedOnLeavingTheField();
    void repeatCheckBoxEffects();
    void closingSendsStopEvenWhenIdle_data();
    void closingSendsStopEvenWhenIdle();
    void onlyCloseButtonOrCloseBoxClosesThePanel_data();
    void onlyCloseButtonOrCloseBoxClosesThePanel();
    void showingSetsCaptionsAndAxes_data();
    void showingSetsCaptionsAndAxes();
    void graphTableToggle();
    void statusTextAlwaysFits_data();
    void statusTextAlwaysFits();
    void hintsSplitIntoToolAndStatusTips();
};

void TestControlPanel::creationSendsContinuousOnlyWithAPort_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<Writes>("expected");
    QTest::newRow("port configured") << "COM1" << Writes{"C"};
    QTest::newRow("no port") << "" << Writes{};
}

void TestControlPanel::creationSendsContinuousOnlyWithAPort()
{
    QFETCH(QString, port);
    PanelHarness harness;
    PortName = port;
    TQORcontrolPanel created;
    QTEST(harness.TakeWrites(), "expected");
}

void TestControlPanel::commandButtonsSendAndWait_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("incremental");
    QTest::addColumn<int>("sliderPosition");
    QTest::addColumn<Writes>("expected");
    QTest::newRow("home") << "HomeButton" << false << 240 << Writes{"H"};
    QTest::newRow("test") << "TestButton" << false << 240 << Writes{"T"};
    QTest::newRow("version") << "VersionButton" << false << 240 << Writes{"V"};
    QTest::newRow("stop") << "StopButton" << false << 240 << Writes{"S"};
    QTest::newRow("set continuous") << "ContIncModeBitBtn" << false << 240 << Writes{"C"};
    QTest::newRow("set incremental")
        << "ContIncModeBitBtn" << true << 130 << Writes{"MI", "120", "\r", "I"};
}

void TestControlPanel::commandButtonsSendAndWait()
{
    QFETCH(QString, button);
    QFETCH(bool, incremental);
    QFETCH(int, sliderPosition);
    PanelHarness harness(false); // the force goes out in pounds whatever the units
    TQORcontrolPanel& panel = *harness.panel;
    (incremental ? panel.PC2ModeIncremental : panel.PC2ModeContinuous)->click();
    panel.PC2TrackBar->setValue(sliderPosition);

    panel.findChild<QPushButton*>(button)->click();

    QTEST(harness.TakeWrites(), "expected");
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("Waiting response"));
    QCOMPARE(panel.QORstatus->palette().color(QPalette::WindowText), QColor(Qt::red));
}

void TestControlPanel::failedSendLeavesTheStatus()
{
    PanelHarness harness;
    harness.serial.AlwaysAnswer(ScriptedSerialLibrary::WriteOrdinal, -5);
    ModalAnswers answers({[](QWidget* box) { box->close(); }});

    harness.panel->HomeButton->click();

    QVERIFY(answers.AllAnswered());
    QCOMPARE(harness.panel->QORstatus->text(), QStringLiteral("Unknown"));
}

void TestControlPanel::modeEnablesTheIncrementalControls()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QVERIFY(!panel.PC2TrackBar->isEnabled());

    panel.PC2ModeIncremental->click();
    QVERIFY(panel.PC2TrackBar->isEnabled());
    QVERIFY(panel.PC2UpDown->isEnabled());
    QCOMPARE(panel.ContIncModeBitBtn->text(), QStringLiteral("Set Inc."));

    panel.PC2ModeContinuous->click();
    QVERIFY(!panel.PC2TrackBar->isEnabled());
    QVERIFY(!panel.PC2UpDown->isEnabled());
    QCOMPARE(panel.ContIncModeBitBtn->text(), QStringLiteral("Set Cont."));
}

void TestControlPanel::sliderSnapsToTens_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("moveTo");
    QTest::addColumn<int>("snapped");
    QTest::addColumn<int>("setting");
    QTest::addColumn<QString>("shown");
    QTest::newRow("137 English") << true << 137 << 130 << 120 << "120";
    QTest::newRow("137 metric") << false << 137 << 130 << 120 << "54";
}

void TestControlPanel::sliderSnapsToTens()
{
    QFETCH(bool, english);
    QFETCH(int, moveTo);
    PanelHarness harness(english);
    TQORcontrolPanel& panel = *harness.panel;
    panel.PC2ModeIncremental->click();

    panel.PC2TrackBar->setValue(moveTo);

    QTEST(panel.PC2TrackBar->value(), "snapped");
    QTEST(panel.PC2UpDown->Position(), "setting");
    QTEST(panel.PC2Edit->text(), "shown");
    QVERIFY(harness.TakeWrites().isEmpty());
}

void TestControlPanel::upDownStepsAndStopsAtItsLimits_data()
{
    QTest::addColumn<int>("sliderPosition");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("slider");
    QTest::newRow("up at 250") << 0 << "UpButton" << 250 << 0;
    QTest::newRow("down at 10") << 240 << "DownButton" << 10 << 240;
    QTest::newRow("up from 120") << 130 << "UpButton" << 130 << 120;
    QTest::newRow("down from 120") << 130 << "DownButton" << 110 << 140;
}

void TestControlPanel::upDownStepsAndStopsAtItsLimits()
{
    QFETCH(int, sliderPosition);
    QFETCH(QString, button);
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    panel.PC2ModeIncremental->click();
    panel.PC2TrackBar->setValue(sliderPosition);

    panel.PC2UpDown->findChild<QToolButton*>(button)->click();

    QTEST(panel.PC2UpDown->Position(), "setting");
    QTEST(panel.PC2TrackBar->value(), "slider");
    QCOMPARE(panel.PC2Edit->text(), QString::number(panel.PC2UpDown->Position()));
}

void TestControlPanel::repeatCountCheckedOnLeavingTheField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("after");
    QTest::newRow("0 refused") << "0" << true << "1";
    QTest::newRow("emptied refused") << "" << true << "1";
    QTest::newRow("9999 accepted") << "9999" << false << "9999";
    QTest::newRow("1 accepted") << "1" << false << "1";
}

void TestControlPanel::repeatCountCheckedOnLeavingTheField()
{
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QApplication::setActiveWindow(&panel);
    panel.RepeatCheckBox->setChecked(true);
    panel.RepeatCountMaskEdit->setFocus(Qt::MouseFocusReason);
    panel.RepeatCountMaskEdit->setText(typed);

    QString notice, caption;
    ModalAnswers answers({[&](QWidget* box) {
        notice = static_cast<QMessageBox*>(box)->text();
        caption = box->windowTitle();
        box->close();
    }});
    panel.TestButton->setFocus(Qt::TabFocusReason);

    QCOMPARE(answers.AllAnswered(), refused);
    if (refused) {
        QCOMPARE(notice, QStringLiteral("Repeat Count must be between 1 and 9999!"));
        QCOMPARE(caption, QStringLiteral("Error!"));
    }
    QTEST(panel.RepeatCountMaskEdit->text(), "after");
}

void TestControlPanel::repeatCheckBoxEffects()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    panel.CyclesCompleteMaskEdit->setText(QStringLiteral("3"));

    panel.RepeatCheckBox->click();
    QVERIFY(panel.RepeatCountMaskEdit->isEnabled());
    QCOMPARE(panel.CyclesCompleteMaskEdit->text(), QStringLiteral("0"));
    QVERIFY(!panel.CyclesCompleteMaskEdit->isEnabled());

    panel.RepeatCountMaskEdit->setText(QStringLiteral("0"));
    panel.RepeatCheckBox->click();
    QVERIFY(!panel.RepeatCountMaskEdit->isEnabled());
    QCOMPARE(panel.RepeatCountMaskEdit->text(), QStringLiteral("1"));

    panel.RepeatCheckBox->click();
    panel.RepeatCountMaskEdit->setText(QStringLiteral("7"));
    panel.StopButton->click();
    QVERIFY(!panel.RepeatCheckBox->isChecked());
    QVERIFY(!panel.RepeatCountMaskEdit->isEnabled());
    QCOMPARE(panel.RepeatCountMaskEdit->text(), QStringLiteral("7"));
}

void TestControlPanel::closingSendsStopEvenWhenIdle_data()
{
    QTest::addColumn<bool>("stopFails");
    QTest::newRow("stop sent") << false;
    // Polling and repeat mode end before the failure is shown, so no tick runs under its report.
    QTest::newRow("stop cannot be sent") << true;
}

void TestControlPanel::closingSendsStopEvenWhenIdle()
{
    QFETCH(bool, stopFails);
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QVERIFY(panel.isVisible());
    panel.RepeatCheckBox->click();
    panel.RepeatCountMaskEdit->setText(QStringLiteral("5"));
    panel.StatusTimer->start();
    if (stopFails)
        harness.serial.Script(ScriptedSerialLibrary::WriteOrdinal, {-5});

    bool pollingUnderTheReport = false;
    ModalAnswers answers({[&](QWidget* report) {
        pollingUnderTheReport = panel.StatusTimer->isActive() || panel.RepeatCheckBox->isChecked();
        report->close();
    }});
    panel.CloseButton->click();

    QCOMPARE(answers.AllAnswered(), stopFails);
    QVERIFY(!pollingUnderTheReport);
    QCOMPARE(harness.TakeWrites(), Writes{"S"});
    QCOMPARE(panel.result(), int(QDialog::Rejected));
    QVERIFY(!panel.StatusTimer->isActive());
    QVERIFY(!panel.RepeatCheckBox->isChecked());
    QCOMPARE(panel.RepeatCountMaskEdit->text(), QStringLiteral("1"));
}

void TestControlPanel::onlyCloseButtonOrCloseBoxClosesThePanel_data()
{
    QTest::addColumn<QString>("focus"); // the control that has the keyboard focus
    QTest::addColumn<bool>("closeBox"); // else Escape is pressed there
    QTest::newRow("Escape on a command button") << "HomeButton" << false;
    QTest::newRow("Escape in the repeat count") << "RepeatCountMaskEdit" << false;
    QTest::newRow("Escape in the data table") << "TestDataMemo" << false;
    QTest::newRow("close box") << "RepeatCountMaskEdit" << true;
}

// A test is running when the operator acts on the panel: only a deliberate close stops it, and
// neither loses its lines.
void TestControlPanel::onlyCloseButtonOrCloseBoxClosesThePanel()
{
    QFETCH(QString, focus);
    QFETCH(bool, closeBox);
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QApplication::setActiveWindow(&panel);
    panel.RepeatCheckBox->click();
    panel.TestButton->click();
    harness.Ticks({"D", "0100,0200"});
    harness.TakeWrites();
    panel.findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);

    if (closeBox)
        panel.close();
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    QCOMPARE(panel.isVisible(), !closeBox);
    QCOMPARE(harness.TakeWrites(), closeBox ? Writes{"S"} : Writes{});
    QCOMPARE(panel.RepeatCheckBox->isChecked(), !closeBox);
    QCOMPARE(panel.TestDataLines(), (QStringList{"D", "QOR1000 Test Graph 1", "X,Y", "0100,0200"}));
}

void TestControlPanel::showingSetsCaptionsAndAxes_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<double>("displacementMaximum");
    QTest::addColumn<double>("forceMaximum");
    QTest::addColumn<QString>("forceCaption");
    QTest::addColumn<QString>("displacementCaption");
    QTest::addColumn<QStringList>("displacementLabels");
    QTest::newRow("English") << true << 1.6 << 1000.0 << "Force (lbs.)"
                             << "Displacement (in.)" << QStringList{"0.00", "0.50", "1.00", "1.50"};
    QTest::newRow("metric") << false << 4.064 << 453.5924 << "Force (kg)"
                            << "Displacement (cm)"
                            << QStringList{"0.00", "1.00", "2.00", "3.00", "4.00"};
}

void TestControlPanel::showingSetsCaptionsAndAxes()
{
    QFETCH(bool, english);
    QFETCH(double, displacementMaximum);
    QFETCH(double, forceMaximum);
    PanelHarness harness(english);
    TQORcontrolPanel& panel = *harness.panel;
    auto* bottom = qobject_cast<QCategoryAxis*>(
        panel.ControlChart->chart()->axes(Qt::Horizontal).constFirst());
    auto* left =
        qobject_cast<QCategoryAxis*>(panel.ControlChart->chart()->axes(Qt::Vertical).constFirst());

    QCOMPARE(bottom->min(), 0.0);
    QCOMPARE(bottom->max(), displacementMaximum);
    QCOMPARE(left->min(), 0.0);
    QCOMPARE(left->max(), forceMaximum);
    QTEST(panel.gauge1name->text(), "forceCaption");
    QTEST(left->titleText(), "forceCaption");
    QTEST(panel.gauge2name->text(), "displacementCaption");
    QTEST(bottom->titleText(), "displacementCaption");
    QTEST(bottom->categoriesLabels(), "displacementLabels");
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("0"));
    QCOMPARE(panel.gauge2reading->text(), QStringLiteral("0.000"));
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("Unknown"));
    QCOMPARE(panel.QORstatus->palette().color(QPalette::WindowText), QColor(Qt::red));
}

void TestControlPanel::graphTableToggle()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    panel.DataShowBitBtn->click();
    QVERIFY(panel.ControlChart->isHidden());
    QCOMPARE(panel.DataShowBitBtn->text(), QStringLiteral("Show &Graph"));
    panel.DataShowBitBtn->click();
    QVERIFY(!panel.ControlChart->isHidden());
    QCOMPARE(panel.DataShowBitBtn->text(), QStringLiteral("Show &Data"));
}

void TestControlPanel::statusTextAlwaysFits_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("shrinks");
    QTest::newRow("short status keeps its size") << QByteArray("C\r") << false;
    QTest::newRow("longest status") << QByteArray("TM\r") << true;
}

void TestControlPanel::statusTextAlwaysFits()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, shrinks);
    PanelHarness harness;
    TFittedLabel* status = harness.panel->QORstatus;
    harness.Tick(reply);
    const QFont fitted = status->FittedFont();
    QCOMPARE(fitted.pixelSize() < status->font().pixelSize(), shrinks);
    QVERIFY(QFontMetrics(fitted).horizontalAdvance(status->text()) <=
            status->contentsRect().width());
}

void TestControlPanel::hintsSplitIntoToolAndStatusTips()
{
    PanelHarness harness;
    const QPushButton* test = harness.panel->TestButton;
    QCOMPARE(test->toolTip(), QStringLiteral("Start Test"));
    QCOMPARE(test->statusTip(), QStringLiteral("Request the QOR to Start Testing"));
    QCOMPARE(harness.panel->windowTitle(), QStringLiteral("QOR Control  Panel"));
    QCOMPARE(harness.panel->size(), QSize(556, 363));
}

QTEST_MAIN(TestControlPanel)
#include "tst_controlpanel.moc"
