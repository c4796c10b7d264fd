#include "graph/graphform.h"
#include "modalanswers.h"
#include "program/settings.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QDialog>
#include <QLabel>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

QStringList Test(const QString& title, const QStringList& records)
{
    return QStringList{title, QStringLiteral("QOR1000 Test Graph 1"), QStringLiteral("X,Y")} +
           records;
}

QValueAxis* Axis(const TGraphForm& form, Qt::Orientation orientation)
{
    return qobject_cast<QValueAxis*>(form.GraphChart->chart()->axes(orientation).value(0));
}

void Click(QWidget* dialog, const char* buttonName)
{
    QPushButton* button = dialog->findChild<QPushButton*>(QLatin1String(buttonName));
    QVERIFY2(button, buttonName);
    button->click();
}

} // namespace

class GraphFormTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        ApplyUnits(true);
        ColorGraph = true;
    }

    void titleAndForceAxisShowTheMaximum_data();
    void titleAndForceAxisShowTheMaximum();
    void curveKeepsRecordOrder();
    void coloursAndTitlesFollowSettings_data();
    void coloursAndTitlesFollowSettings();
    void changedListIsRedrawn();
    void badRecordReportedOncePerRebuild();
    void toggleSwitchesChartAndTable();
    void closeQueryGuardsUnsavedTest_data();
    void closeQueryGuardsUnsavedTest();
};

void GraphFormTest::titleAndForceAxisShowTheMaximum_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("maximumLine");
    QTest::addColumn<double>("axisMaximum");

    QTest::newRow("english") << true << QStringList{"0100,0200", "0123,0456", "0150,0300", "TM"}
                             << "Maximum Force=456 at Displacement=0.123" << 478.8;
    QTest::newRow("metric texts cut, not rounded")
        << false << QStringList{"0100,0200", "0250,1234", "0300,1000", "TM"}
        << "Maximum Force=559. at Displacement=0.635" << 1.05 * 1234 * 0.4535924;
    QTest::newRow("displacement cut to five characters")
        << false << QStringList{"0025,0001", "TM"} << "Maximum Force=0.45 at Displacement=0.063"
        << 1.05 * 0.4535924;
    QTest::newRow("first of equal maxima wins")
        << true << QStringList{"0100,0500", "0200,0300", "0300,0500", "0400,0100", "TT"}
        << "Maximum Force=500 at Displacement=0.1" << 525.0;
    QTest::newRow("list without a T line") << true << QStringList{"0100,0200", "0200,0700"}
                                           << "Maximum Force=700 at Displacement=0.2" << 735.0;
    QTest::newRow("every force 0: the maximum stays at 0")
        << true << QStringList{"0100,0000", "0200,0000", "TM"}
        << "Maximum Force=0 at Displacement=0" << 0.0;
    QTest::newRow("no records") << true << QStringList{"S", "TL"}
                                << "Maximum Force=0 at Displacement=0" << 0.0;
    QTest::newRow("no lines") << true << QStringList{} << "Maximum Force=0 at Displacement=0"
                              << 0.0;
}

void GraphFormTest::titleAndForceAxisShowTheMaximum()
{
    QFETCH(bool, english);
    QFETCH(QStringList, records);
    QFETCH(QString, maximumLine);
    QFETCH(double, axisMaximum);

    ApplyUnits(english);
    TGraphForm form;
    const QStringList lines = records.isEmpty() ? QStringList{} : Test("Oak <3>", records);
    form.SetLines(lines);
    QCOMPARE(form.Lines(), lines);

    const QString title = form.GraphChart->chart()->title();
    QCOMPARE(title, (lines.isEmpty() ? QString() : QStringLiteral("Oak &lt;3&gt;")) +
                        QStringLiteral("<br>") + maximumLine);
    QCOMPARE(Axis(form, Qt::Vertical)->min(), 0.0);
    QCOMPARE(Axis(form, Qt::Vertical)->max(), axisMaximum);
}

void GraphFormTest::curveKeepsRecordOrder()
{
    TGraphForm form;
    form.SetLines(Test("Back", {"0010,0100", "0020,0200", "0015,0250", "0030,0300", "TM"}));
    QCOMPARE(form.Series1->points(),
             (QList<QPointF>{{0.01, 100}, {0.02, 200}, {0.015, 250}, {0.03, 300}}));
    QVERIFY(Axis(form, Qt::Horizontal)->min() <= 0.01);
    QVERIFY(Axis(form, Qt::Horizontal)->max() >= 0.03);
}

void GraphFormTest::coloursAndTitlesFollowSettings_data()
{
    QTest::addColumn<bool>("colour");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QColor>("titleColour");
    QTest::addColumn<QColor>("seriesColour");
    QTest::addColumn<QString>("forceTitle");
    QTest::addColumn<QString>("displacementTitle");
    QTest::addColumn<QPointF>("point");

    QTest::newRow("colour, english")
        << true << true << QColor(Qt::blue) << QColor(Qt::red) << "Force (lbs.)"
        << "Displacement (in.)" << QPointF(0.1, 100);
    QTest::newRow("black, metric")
        << false << false << QColor(Qt::black) << QColor(Qt::black) << "Force (kg)"
        << "Displacement (cm)" << QPointF(0.254, 45.35924);
}

void GraphFormTest::coloursAndTitlesFollowSettings()
{
    QFETCH(bool, colour);
    QFETCH(bool, english);
    QFETCH(QColor, titleColour);
    QFETCH(QColor, seriesColour);
    QFETCH(QString, forceTitle);
    QFETCH(QString, displacementTitle);
    QFETCH(QPointF, point);

    // Drawn first under the opposite settings.
    ColorGraph = !colour;
    ApplyUnits(!english);
    TGraphForm form;
    form.SetLines(Test("Settings", {"0100,0100", "TM"}));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    ColorGraph = colour;
    ApplyUnits(english);
    // A window notices the change when it next paints.
    form.GraphChart->viewport()->repaint();
    QTRY_COMPARE(form.Series1->color(), seriesColour);

    QChart* chart = form.GraphChart->chart();
    QCOMPARE(chart->titleBrush().color(), titleColour);
    QCOMPARE(Axis(form, Qt::Vertical)->gridLineColor(), titleColour);
    QCOMPARE(Axis(form, Qt::Horizontal)->gridLineColor(), titleColour);
    QCOMPARE(Axis(form, Qt::Vertical)->titleText(), forceTitle);
    QCOMPARE(Axis(form, Qt::Horizontal)->titleText(), displacementTitle);
    QCOMPARE(form.Series1->points(), QList<QPointF>{point});

    // And at once when told.
    ColorGraph = !colour;
    form.SettingsChanged();
    QCOMPARE(chart->titleBrush().color(), colour ? QColor(Qt::black) : QColor(Qt::blue));
}

void GraphFormTest::changedListIsRedrawn()
{
    TGraphForm form;
    form.SetLines(Test("First", {"0100,0100", "TM"}));
    QVERIFY(!form.GraphDataMemo->document()->isModified());

    form.GraphDataMemo->setPlainText(Test("Second", {"0200,0200", "TM"}).join(u'\n'));
    QTRY_COMPARE(form.Series1->points(), QList<QPointF>{QPointF(0.2, 200)});
    QVERIFY(form.GraphChart->chart()->title().startsWith(QStringLiteral("Second<br>")));
}

void GraphFormTest::badRecordReportedOncePerRebuild()
{
    QStringList reports;
    const ModalAnswers::Answer acceptReport = [&](QWidget* modal) {
        reports.append(modal->objectName());
        qobject_cast<QDialog*>(modal)->accept();
    };
    ModalAnswers answers({acceptReport, acceptReport});
    TGraphForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.SetLines(Test("Bad", {"0100,0100", "0200,0200", "0300,03x0", "0400,0400", "TM"}));
    QCOMPARE(form.Series1->points(), (QList<QPointF>{{0.1, 100}, {0.2, 200}}));

    QTRY_COMPARE(reports, QStringList{"ErrorReportBox"});
    for (int paint = 0; paint < 5; ++paint) {
        form.GraphChart->viewport()->repaint();
        form.repaint();
        QTest::qWait(20);
    }
    QCOMPARE(reports.size(), 1);

    form.SettingsChanged();
    QTRY_VERIFY(answers.AllAnswered());
    QCOMPARE(reports, (QStringList{"ErrorReportBox", "ErrorReportBox"}));
    QCOMPARE(form.Series1->points().size(), 2);
    QVERIFY(!answers.WatchdogFired());
}

void GraphFormTest::toggleSwitchesChartAndTable()
{
    TGraphForm form;
    form.SetLines(Test("Toggle", {"0100,0100", "TM"}));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.DataShowBitBtn->text(), QStringLiteral("Show &Data"));
    QCOMPARE(form.DataShowBitBtn->toolTip(), QStringLiteral("Toggle Graph/Table"));

    form.DataShowBitBtn->click();
    QCOMPARE(form.DataShowBitBtn->text(), QStringLiteral("Show &Graph"));
    QVERIFY(!form.GraphChart->isVisible());
    QVERIFY(form.GraphDataMemo->isVisible());
    QVERIFY(form.DataShowBitBtn->isVisible());

    form.DataShowBitBtn->click();
    QCOMPARE(form.DataShowBitBtn->text(), QStringLiteral("Show &Data"));
    QVERIFY(form.GraphChart->isVisible());
}

void GraphFormTest::closeQueryGuardsUnsavedTest_data()
{
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("closed");

    QTest::newRow("cancel keeps it")
        << true << "AlertCancelBitBtn" << QStringList{"AlertBox"} << false;
    QTest::newRow("OK closes it") << true << "AlertOKBitBtn" << QStringList{"AlertBox"} << true;
    QTest::newRow("saved closes without asking") << false << "" << QStringList{} << true;
}

void GraphFormTest::closeQueryGuardsUnsavedTest()
{
    QFETCH(bool, unsaved);
    QFETCH(QString, button);
    QFETCH(bool, closed);

    QStringList texts;
    const ModalAnswers::Answer answerAlert = [&](QWidget* modal) {
        QCOMPARE(modal->objectName(), QStringLiteral("AlertBox"));
        for (const char* name : {"AlertMessage1", "AlertMessage2"})
            texts.append(modal->findChild<QLabel*>(QLatin1String(name))->text());
        QVERIFY(modal->findChild<QPushButton*>("AlertOKBitBtn")->isEnabled());
        Click(modal, qPrintable(button));
    };
    ModalAnswers answers(unsaved ? QList<ModalAnswers::Answer>{answerAlert}
                                 : QList<ModalAnswers::Answer>{});
    QPointer<TGraphForm> form = new TGraphForm;
    form->SetLines(Test("Unsaved", {"0100,0100", "TM"}));
    form->GraphDataMemo->document()->setModified(unsaved);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));

    QCOMPARE(form->close(), closed);
    QVERIFY(answers.AllAnswered());
    QVERIFY(!answers.WatchdogFired());
    if (unsaved) {
        QCOMPARE(texts, (QStringList{"Test data has NOT been saved!",
                                     "Click 'OK' to close panel, or 'CANCEL' to cancel."}));
    }
    if (closed)
        QTRY_VERIFY(form.isNull());
    else
        delete form;
}

QTEST_MAIN(GraphFormTest)
#include "tst_graphform.moc"
