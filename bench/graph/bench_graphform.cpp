#include "graph/graphform.h"
#include "graph/testlines.h"
#include "testrecords.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

// Rebuilding a graph window's chart from a 10,000-record test, against the chart library's own
// floor: replacing the points of a bare line series with the same points.
class GraphFormBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
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

private:
    QStringList Lines;
    QList<QPointF> Points;
};

QTEST_MAIN(GraphFormBenchmark)
#include "bench_graphform.moc"
