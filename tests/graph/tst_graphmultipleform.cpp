#include "config/settings.h"
#include "dialogs/operatorentrybox.h"
#include "graph/graphmultipleform.h"
#include "modalanswers.h"
#include "platform/errors.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

QStringList Test(const QString& title, int force)
{
    return {title,
            QStringLiteral("Maximum"),
            QStringLiteral("X,Y"),
            QStringLiteral("0010,0005"),
            QStringLiteral("0020,%1").arg(force, 4, 10, QLatin1Char('0')),
            QStringLiteral("TM")};
}

// Answers the window-title prompt with OK and the text, or with Cancel.
ModalAnswers::Answer TitlePrompt(const QString& title, bool ok, QStringList& prompts)
{
    return [=, &prompts](QWidget*) {
        prompts.append(ActOperatorEntryBox->EntryPromptLabel->text());
        ActOperatorEntryBox->EntryInputEdit->setText(title);
        (ok ? ActOperatorEntryBox->EntryOKBitBtn : ActOperatorEntryBox->EntryAbortBitBtn)->click();
    };
}

QCategoryAxis* Axis(const TGraphMultipleForm& form, Qt::Orientation orientation)
{
    return qobject_cast<QCategoryAxis*>(form.GraphChart->chart()->axes(orientation).value(0));
}

} // namespace

class GraphMultipleFormTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ActOperatorEntryBox = new TActOperatorEntryBox; }
    void cleanupTestCase() { delete ActOperatorEntryBox; }
    void cleanup()
    {
        ColorGraph = true;
        ApplyUnits(true);
    }

    void tenTestsAreNamedAndColoured_data();
    void tenTestsAreNamedAndColoured();
    void eleventhTestIsRefused();
    void curvesAreAddedOnce();
    void tableShowsTheTestAddedLast();
    void badRecordEndsTheCurveOnce();
};

void GraphMultipleFormTest::tenTestsAreNamedAndColoured_data()
{
    QTest::addColumn<bool>("colour");
    QTest::addColumn<bool>("titleConfirmed");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("colours");

    QTest::newRow("colour") << true << true << "Oak against pine"
                            << QStringList{"#ff0000", "#008000", "#ffff00", "#0000ff", "#808080",
                                           "#ff00ff", "#008080", "#000080", "#800000", "#00ff00"};
    QTest::newRow("black, title cancelled")
        << false << false << "Multiple Graph Window" << QStringList(10, "#000000");
}

void GraphMultipleFormTest::tenTestsAreNamedAndColoured()
{
    QFETCH(bool, colour);
    QFETCH(bool, titleConfirmed);
    QFETCH(QString, caption);
    QFETCH(QStringList, colours);

    ColorGraph = colour;
    QStringList prompts;
    ModalAnswers answers({TitlePrompt("Oak against pine", titleConfirmed, prompts)});
    TGraphMultipleForm form;
    QStringList expectedNames;
    for (int test = 1; test <= 10; ++test) {
        const QString title = test % 2 ? QStringLiteral("Short %1").arg(test)
                                       : QStringLiteral("Sixteen letters, then more %1").arg(test);
        expectedNames.append(test % 2 ? title : QStringLiteral("Sixteen letters,"));
        QVERIFY(form.AddTestFile(Test(title, 100 * test)));
    }
    QCOMPARE(prompts, QStringList{"Enter Window Title:"});
    QVERIFY(answers.AllAnswered());
    QCOMPARE(form.windowTitle(), caption);

    QStringList names, seriesColours;
    for (QLineSeries* series : form.ActiveSeries()) {
        names.append(series->name());
        seriesColours.append(series->color().name());
        QCOMPARE(series->points().size(), 2);
    }
    QCOMPARE(names, expectedNames);
    QCOMPARE(seriesColours, colours);
    QCOMPARE(form.ActiveSeries(), form.Series);
    QCOMPARE(Axis(form, Qt::Vertical)->max(), 1000.0); // scaled to every curve
    QCOMPARE(Axis(form, Qt::Vertical)->gridLineColor(), colour ? QColor(Qt::blue) : Qt::black);
}

void GraphMultipleFormTest::eleventhTestIsRefused()
{
    QStringList prompts, alertTexts;
    bool okEnabled = true;
    ModalAnswers answers({TitlePrompt("Ten", true, prompts), [&](QWidget* alert) {
                              for (const char* name : {"AlertMessage1", "AlertMessage2"})
                                  alertTexts.append(alert->findChild<QLabel*>(name)->text());
                              okEnabled =
                                  alert->findChild<QPushButton*>("AlertOKBitBtn")->isEnabled();
                              QTest::keyClick(alert, Qt::Key_Return);
                          }});
    TGraphMultipleForm form;
    for (int test = 1; test <= 10; ++test)
        QVERIFY(form.AddTestFile(Test(QStringLiteral("Test %1").arg(test), test)));
    QVERIFY(!form.AddTestFile(Test(QStringLiteral("Eleventh"), 500)));
    QVERIFY(answers.AllAnswered());
    QCOMPARE(alertTexts,
             (QStringList{"Maximum number of files exceeded!", "Click 'CANCEL' to cancel."}));
    QVERIFY(!okEnabled);
    QCOMPARE(form.ActiveSeries().size(), 10);
    QCOMPARE(form.Lines(), Test(QStringLiteral("Test 10"), 10));
    QCOMPARE(Axis(form, Qt::Vertical)->max(), 10.0);
}

// Repaints, resizes, another window passing over and a change of the settings leave the curves.
void GraphMultipleFormTest::curvesAreAddedOnce()
{
    QStringList prompts;
    ModalAnswers answers({TitlePrompt("Two", true, prompts)});
    TGraphMultipleForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.AddTestFile(Test(QStringLiteral("First"), 100)));
    QVERIFY(form.AddTestFile(Test(QStringLiteral("Second"), 200)));
    const auto curves = [&] {
        QList<QList<QPointF>> points;
        for (QLineSeries* series : form.ActiveSeries())
            points.append(series->points());
        return points;
    };
    const QList<QList<QPointF>> before = curves();
    QStringList legend;
    for (const QLegendMarker* marker : form.GraphChart->chart()->legend()->markers()) {
        if (marker->isVisible())
            legend.append(marker->label());
    }
    QCOMPARE(legend, (QStringList{"First", "Second"}));

    ColorGraph = false;
    ApplyUnits(false);
    for (int paint = 0; paint < 3; ++paint) {
        form.resize(form.size() + QSize(10, 10));
        QWidget other;
        other.setGeometry(form.geometry());
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        other.hide();
        form.GraphChart->viewport()->repaint();
        form.repaint();
    }
    QCOMPARE(curves(), before);
    QCOMPARE(form.Series.at(1)->color(), QColor(0x00, 0x80, 0x00));
    QCOMPARE(Axis(form, Qt::Horizontal)->titleText(), QStringLiteral("Displacement (in.)"));

    // The next test added takes the settings now in force, for the axes and its own curve.
    QVERIFY(form.AddTestFile(Test(QStringLiteral("Third"), 300)));
    QCOMPARE(Axis(form, Qt::Horizontal)->titleText(), QStringLiteral("Displacement (cm)"));
    QCOMPARE(form.Series.at(2)->color(), QColor(Qt::black));
    QCOMPARE(form.Series.at(0)->points(), before.at(0));
}

void GraphMultipleFormTest::tableShowsTheTestAddedLast()
{
    QStringList prompts;
    ModalAnswers answers({TitlePrompt("Three", true, prompts)});
    TGraphMultipleForm form;
    form.show();
    for (int test = 1; test <= 2; ++test)
        QVERIFY(form.AddTestFile(Test(QStringLiteral("Test %1").arg(test), test)));
    QCOMPARE(form.DataShowBitBtn->text(), QStringLiteral("Show &Data"));
    form.DataShowBitBtn->click();
    QCOMPARE(form.DataShowBitBtn->text(), QStringLiteral("Show &Graph"));
    QCOMPARE(form.GraphDataMemo->toPlainText(), Test(QStringLiteral("Test 2"), 2).join(u'\n'));

    // Added while the table shows, the test's lines show at once.
    QVERIFY(form.AddTestFile(Test(QStringLiteral("Test 3"), 3)));
    QCOMPARE(form.GraphDataMemo->toPlainText(), Test(QStringLiteral("Test 3"), 3).join(u'\n'));
    form.DataShowBitBtn->click();
    QVERIFY(form.GraphChart->isVisible());
}

void GraphMultipleFormTest::badRecordEndsTheCurveOnce()
{
    QStringList prompts;
    ModalAnswers answers({TitlePrompt("Bad", true, prompts)});
    TGraphMultipleForm form;
    QStringList bad = Test(QStringLiteral("Bad"), 100);
    bad.insert(4, QStringLiteral("0015,00x0"));
    QVERIFY_THROWS_EXCEPTION(ConversionError, form.AddTestFile(bad));
    QCOMPARE(form.ActiveSeries().size(), 1);
    QCOMPARE(form.Series.at(0)->points(), QList<QPointF>{QPointF(0.01, 5)});

    QVERIFY(form.AddTestFile(Test(QStringLiteral("Good"), 200)));
    QCOMPARE(form.ActiveSeries().size(), 2);
    QCOMPARE(form.Series.at(0)->points().size(), 1);
    QCOMPARE(form.Series.at(1)->name(), QStringLiteral("Good"));
}

QTEST_MAIN(GraphMultipleFormTest)
#include "tst_graphmultipleform.moc"
