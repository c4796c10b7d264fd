#include "modalanswers.h"
#include "panelharness.h"

#include "control/updown.h"
#include "dialogs/operatorentrybox.h"
#include "graph/graphform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

using Lines = QStringList;
using Writes = QList<QByteArray>;
using GraphLines = QList<QStringList>;

namespace {

const QColor Lime(0, 255, 0);

// Types the title into the prompt and presses OK, after checking the prompt's text.
ModalAnswers::Answer EnterTitle(const QString& title, QString* prompt = nullptr)
{
    return [=](QWidget*) {
        if (prompt)
            *prompt = ActOperatorEntryBox->EntryPromptLabel->text();
        ActOperatorEntryBox->EntryInputEdit->setText(title);
        ActOperatorEntryBox->EntryOKBitBtn->click();
    };
}

TGraphForm* GraphOf(const QSignalSpy& spy, int index = 0)
{
    return qobject_cast<TGraphForm*>(spy.at(index).at(0).value<QWidget*>());
}

} // namespace

class TestControlPanelTick : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void singleTestToAGraphWindow();
    void cancelledTitleKeepsTheStartReply();
    void bottomLimitEndsRepeatThenALowerTestStartsAfresh();
    void threeRepeatCyclesEndingInMaximumForce();
    void testCompleteEndsRepeatAfterOneOfFive();
    void headerCarriesTheNextCycleNumber();
    void loneCarriageReturnMovesTheMeter();
    void statusLinesSetTheStatusText_data();
    void statusLinesSetTheStatusText();
    void badRecordEndsTheTickAfterTheStatus();
    void incompleteLineChangesNothing();
    void secondEndCodeDuringThePromptIsOnlyRecorded();
    void failingPortIsReportedOnceAndPollingGoesOn();
    void typingInTheRepeatCountKeepsEachLinesAction_data();
    void typingInTheRepeatCountKeepsEachLinesAction();
    void graphWindowGetsTheTestThatEnded_data();
    void graphWindowGetsTheTestThatEnded();

private:
    TActOperatorEntryBox* entryBox_ = nullptr;
};

void TestControlPanelTick::initTestCase()
{
    entryBox_ = new TActOperatorEntryBox;
    ActOperatorEntryBox = entryBox_;
}

void TestControlPanelTick::cleanupTestCase()
{
    delete entryBox_;
    ActOperatorEntryBox = nullptr;
}

void TestControlPanelTick::singleTestToAGraphWindow()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QSignalSpy graphs(&panel, &TQORcontrolPanel::GraphWindowCreated);
    panel.TestButton->click();
    QCOMPARE(harness.TakeWrites(), Writes{"T"});

    harness.Ticks({"D", "0000,0000", "0512,0523", "0600,0400"});
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("400"));
    QCOMPARE(panel.gauge2reading->text(), QStringLiteral("0.600"));
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("Receiving Test Data"));
    QCOMPARE(panel.QORstatus->palette().color(QPalette::WindowText), Lime);
    QCOMPARE(panel.Series1->Points(), (QList<QPointF>{{0.0, 0.0}, {0.512, 523.0}, {0.6, 400.0}}));

    QString prompt;
    ModalAnswers answers({EnterTitle(QStringLiteral("Beam 7"), &prompt)});
    harness.Tick("TM");
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("Test Aborted at Maximum Force"));
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("523"));
    QCOMPARE(panel.gauge2reading->text(), QStringLiteral("0.512"));

    QTRY_COMPARE(graphs.count(), 1);
    QVERIFY(answers.AllAnswered());
    QCOMPARE(prompt, QStringLiteral("Enter Graph Title:"));
    const Lines expected{"Beam 7",    "Maximum Force (lbs.)=523 at Displacement (in.)=0.512",
                         "X,Y",       "0000,0000",
                         "0512,0523", "0600,0400",
                         "TM"};
    QCOMPARE(panel.TestDataLines(), expected);
    QCOMPARE(panel.TestDataMemo->toPlainText(), expected.join(u'\n'));
    TGraphForm* graph = GraphOf(graphs);
    QVERIFY(graph);
    QCOMPARE(graph->Lines(), expected);
    QVERIFY(graph->GraphDataMemo->document()->isModified());
    QVERIFY(panel.isVisible());
    QCOMPARE(harness.TakeWrites(), Writes{});
}

void TestControlPanelTick::cancelledTitleKeepsTheStartReply()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QSignalSpy graphs(&panel, &TQORcontrolPanel::GraphWindowCreated);
    ModalAnswers answers({[](QWidget*) {
        ActOperatorEntryBox->EntryInputEdit->setText(QStringLiteral("typed"));
        ActOperatorEntryBox->EntryAbortBitBtn->click();
    }});
    harness.Ticks({"D", "0100,0050", "TT"});
    QTRY_COMPARE(graphs.count(), 1);
    QCOMPARE(GraphOf(graphs)->Lines().constFirst(), QStringLiteral("D"));
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("Test Complete"));
}

void TestControlPanelTick::bottomLimitEndsRepeatThenALowerTestStartsAfresh()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QSignalSpy graphs(&panel, &TQORcontrolPanel::GraphWindowCreated);
    panel.RepeatCheckBox->click();
    panel.RepeatCountMaskEdit->setText(QStringLiteral("4"));
    panel.TestButton->click();
    harness.Ticks({"D", "0100,0900", "TL"});
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("Test Aborted at Bottom Limit"));
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("900"));
    QVERIFY(!panel.RepeatCheckBox->isChecked());
    QCOMPARE(panel.CyclesCompleteMaskEdit->text(), QStringLiteral("0"));
    QCOMPARE(panel.RepeatCountMaskEdit->text(), QStringLiteral("4"));
    QCoreApplication::processEvents();
    QCOMPARE(graphs.count(), 0);

    ModalAnswers answers({EnterTitle(QStringLiteral("second"))});
    panel.TestButton->click();
    QVERIFY(panel.TestDataLines().isEmpty());
    QVERIFY(panel.Series1->Points().isEmpty());
    harness.Ticks({"D", "0100,0300", "0200,0200", "TM"});
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("300"));
    QCOMPARE(panel.gauge2reading->text(), QStringLiteral("0.100"));
    QTRY_COMPARE(graphs.count(), 1);
    QCOMPARE(GraphOf(graphs)->Lines().at(1),
             QStringLiteral("Maximum Force (lbs.)=300 at Displacement (in.)=0.100"));
}

void TestControlPanelTick::threeRepeatCyclesEndingInMaximumForce()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QSignalSpy graphs(&panel, &TQORcontrolPanel::GraphWindowCreated);
    panel.RepeatCheckBox->click();
    panel.RepeatCountMaskEdit->setText(QStringLiteral("3"));

    harness.Tick("H"); // the machine at home starts the first test by itself
    QCOMPARE(harness.TakeWrites(), Writes{"T"});
    QVERIFY(panel.TestDataLines().isEmpty());

    harness.Ticks({"D", "0100,0200", "0200,0400", "TM"});
    QCOMPARE(harness.TakeWrites(), Writes{"H"});
    QCOMPARE(panel.CyclesCompleteMaskEdit->text(), QStringLiteral("1"));
    QCOMPARE(panel.RepeatCountMaskEdit->text(), QStringLiteral("2"));
    harness.Ticks({"U", "H"});
    QCOMPARE(harness.TakeWrites(), Writes{"T"});

    harness.Ticks({"D", "0100,0300", "0250,0700", "TM", "H"});
    QCOMPARE(harness.TakeWrites(), (Writes{"H", "T"}));
    QCOMPARE(panel.RepeatCountMaskEdit->text(), QStringLiteral("1"));

    ModalAnswers answers({EnterTitle(QStringLiteral("three cycles"))});
    harness.Ticks({"D", "0100,0100", "0200,0600", "TM"});
    QCOMPARE(harness.TakeWrites(), Writes{});
    QCOMPARE(panel.CyclesCompleteMaskEdit->text(), QStringLiteral("3"));
    QCOMPARE(panel.RepeatCountMaskEdit->text(), QStringLiteral("1"));
    QVERIFY(!panel.RepeatCheckBox->isChecked());
    QVERIFY(!panel.RepeatCountMaskEdit->isEnabled());
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("700"));
    QCOMPARE(panel.gauge2reading->text(), QStringLiteral("0.250"));

    QTRY_COMPARE(graphs.count(), 1);
    const Lines expected =
        Lines{"three cycles", "Maximum Force (lbs.)=700 at Displacement (in.)=0.250"} +
        Lines{"X,Y", "0100,0200", "0200,0400", "TM", "U", "H"} +
        Lines{"D", "QOR1000 Test Graph 2", "X,Y", "0100,0300", "0250,0700", "TM", "H"} +
        Lines{"D", "QOR1000 Test Graph 3", "X,Y", "0100,0100", "0200,0600", "TM"};
    QCOMPARE(GraphOf(graphs)->Lines(), expected);
    QCOMPARE(panel.Series1->Count(), 6);
    QCoreApplication::processEvents();
    QCOMPARE(graphs.count(), 1);
}

void TestControlPanelTick::testCompleteEndsRepeatAfterOneOfFive()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QSignalSpy graphs(&panel, &TQORcontrolPanel::GraphWindowCreated);
    panel.RepeatCheckBox->click();
    panel.RepeatCountMaskEdit->setText(QStringLiteral("5"));
    panel.TestButton->click();
    harness.TakeWrites();

    ModalAnswers answers({EnterTitle(QStringLiteral("complete"))});
    harness.Ticks({"D", "0100,0200", "TT"});
    QCOMPARE(panel.CyclesCompleteMaskEdit->text(), QStringLiteral("1"));
    QCOMPARE(panel.RepeatCountMaskEdit->text(), QStringLiteral("4"));
    QVERIFY(!panel.RepeatCheckBox->isChecked());
    QCOMPARE(harness.TakeWrites(), Writes{});
    QTRY_COMPARE(graphs.count(), 1);
}

void TestControlPanelTick::headerCarriesTheNextCycleNumber()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    panel.CyclesCompleteMaskEdit->setText(QStringLiteral("3"));
    panel.gauge1reading->setText(QStringLiteral("88"));
    harness.Tick("D");
    QCOMPARE(panel.TestDataLines(), (Lines{"D", "QOR1000 Test Graph 4", "X,Y"}));
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("QOR starting Test"));
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("0"));
}

void TestControlPanelTick::loneCarriageReturnMovesTheMeter()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    panel.PC2ModeIncremental->click();
    panel.PC2TrackBar->setValue(130);
    harness.Tick("D");
    harness.Tick("");
    QCOMPARE(panel.PC2Meter->value(), 120);
    QCOMPARE(panel.TestDataLines(), (Lines{"D", "QOR1000 Test Graph 1", "X,Y", ""}));
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("QOR starting Test"));
}

void TestControlPanelTick::statusLinesSetTheStatusText_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("status");
    QTest::newRow("continuous") << QByteArray("C") << "Continuous Mode set";
    QTest::newRow("version") << QByteArray("V1.2") << "V1.2\r";
    QTest::newRow("incremental step unchanged") << QByteArray("ID") << "Unknown";
}

void TestControlPanelTick::statusLinesSetTheStatusText()
{
    QFETCH(QByteArray, line);
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    harness.Tick(line);
    QTEST(panel.QORstatus->text(), "status");
    QCOMPARE(panel.QORstatus->palette().color(QPalette::WindowText), Lime);
    QCOMPARE(panel.TestDataLines().constFirst(), QString::fromLatin1(line));
}

void TestControlPanelTick::badRecordEndsTheTickAfterTheStatus()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    harness.Ticks({"D", "0100,0200"});
    ModalAnswers answers({[](QWidget* box) { box->close(); }});
    harness.Tick("0512,05x3");
    QCOMPARE(panel.TestDataLines().constLast(), QStringLiteral("0512,05x3"));
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("Receiving Test Data"));
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("200"));
    QCOMPARE(panel.gauge2reading->text(), QStringLiteral("0.100"));
    QCOMPARE(panel.Series1->Count(), 1);
    QTRY_VERIFY(answers.AllAnswered());

    harness.Tick("0300,0400");
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("400"));
}

void TestControlPanelTick::incompleteLineChangesNothing()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    harness.Ticks({"D", "0100,0200"});
    panel.HomeButton->click();
    const Lines before = panel.TestDataLines();

    harness.serial.Receive("0512,05");
    panel.StatusTimerTimer();

    QCOMPARE(panel.TestDataLines(), before);
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("Waiting response"));
    QCOMPARE(panel.QORstatus->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(panel.gauge1reading->text(), QStringLiteral("200"));

    harness.Tick("23"); // the rest of the line arrives
    QCOMPARE(panel.TestDataLines().constLast(), QStringLiteral("0512,0523"));
}

void TestControlPanelTick::secondEndCodeDuringThePromptIsOnlyRecorded()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QSignalSpy graphs(&panel, &TQORcontrolPanel::GraphWindowCreated);
    int prompts = 0;
    ModalAnswers answers({[&](QWidget*) {
                              ++prompts;
                              harness.Ticks({"TT", "0700,0100"}); // ticks go on under the prompt
                              ActOperatorEntryBox->EntryInputEdit->setText(QStringLiteral("once"));
                              ActOperatorEntryBox->EntryOKBitBtn->click();
                          },
                          [&](QWidget* modal) {
                              ++prompts;
                              modal->close();
                          }});
    harness.Ticks({"D", "0100,0200", "TM"});
    QTRY_COMPARE(graphs.count(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(prompts, 1);
    QCOMPARE(graphs.count(), 1);
    QCOMPARE(GraphOf(graphs)->Lines(),
             (Lines{"once", "Maximum Force (lbs.)=200 at Displacement (in.)=0.100", "X,Y",
                    "0100,0200", "TM", "TT", "0700,0100"}));
}

void TestControlPanelTick::failingPortIsReportedOnceAndPollingGoesOn()
{
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    const auto portVanishes = [&] {
        harness.serial.AlwaysAnswer(ScriptedSerialLibrary::ReadByteOrdinal, -8);
    };
    const auto portReturns = [&] {
        harness.serial.AlwaysAnswer(ScriptedSerialLibrary::ReadByteOrdinal, 1);
    };
    int reports = 0;
    ModalAnswers answers({[&](QWidget* box) {
                              ++reports;
                              box->close();
                          },
                          [&](QWidget* box) {
                              ++reports;
                              // The report is open and the ticks go on under it.
                              portReturns();
                              harness.Tick("C");
                              box->close();
                          }});

    const auto fiveTicks = [&] {
        for (int tick = 0; tick < 5; ++tick) {
            panel.StatusTimerTimer();
            QCoreApplication::processEvents();
        }
    };

    portVanishes();
    fiveTicks();
    QTRY_COMPARE(reports, 1);
    fiveTicks();
    QCOMPARE(reports, 1);

    // A tick that succeeds again re-arms the report for the next failure.
    portReturns();
    harness.Tick("S");
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("QOR is Stopped"));
    portVanishes();
    panel.StatusTimerTimer();
    QTRY_COMPARE(reports, 2);
    QCOMPARE(panel.TestDataLines(), (Lines{"S", "C"}));
    QCOMPARE(panel.QORstatus->text(), QStringLiteral("Continuous Mode set"));
}

// The operator types in Cycles Required while the series runs: every line still does what it does,
// and no box but the title prompt opens, even when the series ends under the cursor.
void TestControlPanelTick::typingInTheRepeatCountKeepsEachLinesAction_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Writes>("lines");
    QTest::addColumn<Writes>("sent");
    QTest::addColumn<Lines>("repeat"); // the check box, cycles complete and required
    QTest::addColumn<Lines>("modals");

    const Lines prompt{"TActOperatorEntryBox"};
    QTest::newRow("emptied, record")
        << "" << Writes{"0200,0300"} << Writes{} << Lines{"on", "0", ""} << Lines{};
    QTest::newRow("emptied, maximum force goes home, home starts the next cycle")
        << "" << Writes{"TM", "U", "H"} << Writes{"H", "T"} << Lines{"on", "1", ""} << Lines{};
    QTest::newRow("emptied, test complete ends the series")
        << "" << Writes{"TT"} << Writes{} << Lines{"off", "1", "1"} << prompt;
    QTest::newRow("emptied, bottom limit ends the series")
        << "" << Writes{"TL"} << Writes{} << Lines{"off", "0", "1"} << Lines{};
    QTest::newRow("the last cycle ends")
        << "1" << Writes{"TM"} << Writes{} << Lines{"off", "1", "1"} << prompt;
}

void TestControlPanelTick::typingInTheRepeatCountKeepsEachLinesAction()
{
    QFETCH(Writes, lines);
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QApplication::setActiveWindow(&panel);
    panel.RepeatCheckBox->click();
    panel.RepeatCountMaskEdit->setText(QStringLiteral("3"));
    panel.TestButton->click();
    harness.Ticks({"D", "0100,0200"});
    harness.TakeWrites();

    QStringList modals;
    ModalAnswers answers(QList<ModalAnswers::Answer>(4, [&modals](QWidget* modal) {
        modals << modal->metaObject()->className();
        if (modal == ActOperatorEntryBox)
            EnterTitle(QStringLiteral("series"))(modal);
        else
            modal->close();
    }));
    panel.RepeatCountMaskEdit->setFocus(Qt::MouseFocusReason);
    QVERIFY(panel.RepeatCountMaskEdit->hasFocus());
    QFETCH(QString, typed);
    panel.RepeatCountMaskEdit->setText(typed);
    harness.Ticks(lines);
    QCoreApplication::processEvents();

    QTEST(harness.TakeWrites(), "sent");
    QTEST(modals, "modals");
    QTEST((Lines{panel.RepeatCheckBox->isChecked() ? "on" : "off",
                 panel.CyclesCompleteMaskEdit->text(), panel.RepeatCountMaskEdit->text()}),
          "repeat");
    QCOMPARE(panel.TestDataLines().mid(4).join(u'\n').toLatin1(), lines.join('\n'));
}

// The operator acts on the panel between a test's end and its title prompt: the graph window
// gets the test that ended, and a new test started meanwhile keeps its lines and its own window.
void TestControlPanelTick::graphWindowGetsTheTestThatEnded_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Writes>("beforePrompt");
    QTest::addColumn<Writes>("underPrompt");
    QTest::addColumn<GraphLines>("expectedGraphs");
    QTest::addColumn<Lines>("table");

    const Lines ended{"first", "Maximum Force (lbs.)=200 at Displacement (in.)=0.100", "X,Y",
                      "0100,0200", "TM"};
    const Lines second{"second", "Maximum Force (lbs.)=400 at Displacement (in.)=0.300", "X,Y",
                       "0300,0400", "TT"};
    const Lines stopped = ended + Lines{"S", "U"};
    QTest::newRow("Test pressed, the new test ends under the prompt")
        << "TestButton" << Writes{"D", "0300,0400"} << Writes{"TT"} << GraphLines{ended, second}
        << second;
    QTest::newRow("Stop pressed: later lines belong to the ended test")
        << "StopButton" << Writes{"S"} << Writes{"U"} << GraphLines{stopped} << stopped;
    QTest::newRow("panel closed and opened again")
        << "CloseButton" << Writes{"C"} << Writes{} << GraphLines{ended} << Lines{"C"};
}

void TestControlPanelTick::graphWindowGetsTheTestThatEnded()
{
    QFETCH(QString, button);
    QFETCH(Writes, beforePrompt);
    QFETCH(Writes, underPrompt);
    QFETCH(GraphLines, expectedGraphs);
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    QSignalSpy graphs(&panel, &TQORcontrolPanel::GraphWindowCreated);
    ModalAnswers answers({[&](QWidget* prompt) {
                              harness.Ticks(underPrompt);
                              EnterTitle(QStringLiteral("first"))(prompt);
                          },
                          EnterTitle(QStringLiteral("second"))});
    panel.TestButton->click();
    harness.Ticks({"D", "0100,0200", "TM"});

    panel.findChild<QPushButton*>(button)->click();
    if (!panel.isVisible()) {
        panel.show();
        panel.StatusTimer->stop();
    }
    harness.Ticks(beforePrompt);

    QTRY_COMPARE(graphs.count(), expectedGraphs.size());
    QCoreApplication::processEvents();
    GraphLines received;
    for (int index = 0; index < graphs.count(); ++index)
        received.append(GraphOf(graphs, index)->Lines());
    QCOMPARE(received, expectedGraphs);
    QTEST(panel.TestDataLines(), "table");
    QCOMPARE(panel.TestDataMemo->toPlainText(), panel.TestDataLines().join(u'\n'));
}

QTEST_MAIN(TestControlPanelTick)
#include "tst_controlpaneltick.moc"
