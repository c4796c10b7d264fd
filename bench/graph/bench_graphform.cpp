#include "dialogs/operatorentrybox.h"
#include "graph/chartoutput.h"
#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "graph/testchart.h"
#include "graph/testlines.h"
#include "modalanswers.h"
#include "platform/modalresult.h"
#include "testrecords.h"

#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineSeries>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

// Rebuilding a graph window's chart from a 10,000-record test and adding the tenth such test to a
// multiple window, against the chart library's own floor: replacing the points of a bare line
// series with the same points. Printing the 10,000-point chart to a PDF file is timed and its
// size reported. Redrawing charts of 100,000 points, in a graph window and as ten tests of a
// multiple window, against redrawing the same chart without its curves; and opening a
// 100,000-line test in a graph window against drawing its chart alone.
class GraphFormBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ActOperatorEntryBox = new TActOperatorEntryBox;
        Lines = MachineTest(10000 + 4);
        ReadTestRecords(Lines, [&](double x, double y) { Points.append(QPointF(x, y)); });
    }

    void bareSeriesReplace()
    {
        QChartView view;
        auto* series = new QLineSeries;
        view.chart()->addSeries(series);
        view.chart()->createDefaultAxes();
        view.resize(340, 366);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QBENCHMARK
        {
            series->replace(Points);
        }
    }

    void rebuildGraphForm()
    {
        TGraphForm form;
        form.SetLines(Lines);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QBENCHMARK
        {
            form.SettingsChanged();
        }
        QCOMPARE(form.Series1->points(), Points);
    }

    // Each round adds the tenth test to its own window holding nine.
    void addTenthTestToMultipleWindow()
    {
        constexpr int Rounds = 8;
        QList<ModalAnswers::Answer> titles(
            Rounds, [](QWidget* prompt) { qobject_cast<QDialog*>(prompt)->done(mrOk); });
        ModalAnswers answers(titles, 60000);
        std::vector<std::unique_ptr<TGraphMultipleForm>> windows;
        for (int round = 0; round < Rounds; ++round) {
            auto& window = windows.emplace_back(std::make_unique<TGraphMultipleForm>());
            window->show();
            for (int test = 0; test < 9; ++test)
                window->AddTestFile(Lines);
        }
        QVERIFY(QTest::qWaitForWindowExposed(windows.back().get()));
        QVERIFY(answers.AllAnswered());
        QElapsedTimer timer;
        timer.start();
        for (const auto& window : windows)
            window->AddTestFile(Lines);
        QTest::setBenchmarkResult(double(timer.nsecsElapsed()) / Rounds,
                                  QTest::WalltimeNanoseconds);
        QCOMPARE(windows.back()->ActiveSeries().size(), 10);
        QCOMPARE(windows.back()->Series.at(9)->points(), Points);
    }

    void printChartToPdf()
    {
        TGraphForm form;
        form.SetLines(Lines);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("chart.pdf"));
        QBENCHMARK
        {
            QPdfWriter pdf(path);
            QVERIFY(PrintChart(form.CurrentChart(), pdf));
        }
        qInfo("PDF file of a 10,000-point chart: %lld bytes", QFileInfo(path).size());
    }

    void redrawGraphForm_data() { CurveShown_data(); }
    void redrawGraphForm()
    {
        QFETCH(bool, curveShown);
        TGraphForm form;
        form.SetLines(MachineTest(100000));
        ShowAndRedraw(form, {form.Series1}, curveShown);
    }

    void redrawMultipleWindow_data() { CurveShown_data(); }
    void redrawMultipleWindow()
    {
        QFETCH(bool, curveShown);
        ModalAnswers title({[](QWidget* prompt) { qobject_cast<QDialog*>(prompt)->done(mrOk); }});
        TGraphMultipleForm window;
        for (int test = 0; test < TGraphMultipleForm::MaximumTests; ++test)
            window.AddTestFile(Lines);
        QVERIFY(title.AllAnswered());
        ShowAndRedraw(window, window.ActiveSeries(), curveShown);
    }

    // The floor: the chart of the test drawn by itself in a window of the same size, from its
    // lines to its first paint.
    void drawChartOfALongTest()
    {
        const QStringList lines = MachineTest(100000);
        QBENCHMARK
        {
            QWidget window;
            window.resize(TGraphForm().size());
            QChartView* chart = CreateTestChart(&window, QStringLiteral("GraphChart"), 25);
            chart->resize(window.size());
            DrawTestChart(chart, lines);
            chart->grab();
        }
    }

    void openGraphFormOfALongTest()
    {
        const QStringList lines = MachineTest(100000);
        QBENCHMARK
        {
            TGraphForm form;
            form.SetLines(lines);
            form.grab();
        }
    }

    void cleanupTestCase() { delete ActOperatorEntryBox; }

private:
    static void CurveShown_data()
    {
        QTest::addColumn<bool>("curveShown");
        QTest::newRow("without the curves (floor)") << false;
        QTest::newRow("100,000 points") << true;
    }

    // Times a redraw of the window's chart, once it has been drawn, with its curves or with them
    // emptied.
    static void ShowAndRedraw(GraphWindow& window, const QList<QLineSeries*>& curves, bool shown)
    {
        for (QLineSeries* curve : curves) {
            if (!shown)
                curve->clear();
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.GraphChart->grab();
        QBENCHMARK
        {
            window.GraphChart->grab();
        }
    }

    QStringList Lines;
    QList<QPointF> Points;
};

QTEST_MAIN(GraphFormBenchmark)
#include "bench_graphform.moc"
