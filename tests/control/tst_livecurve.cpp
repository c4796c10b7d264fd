#include "control/livecurve.h"

#include <QChart>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

class TestLiveCurve : public QObject
{
    Q_OBJECT
private slots:
    void pointsStayInOrderAcrossTheLinks_data();
    void pointsStayInOrderAcrossTheLinks();
};

void TestLiveCurve::pointsStayInOrderAcrossTheLinks_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("links");
    constexpr int full = LiveCurve::SegmentPoints;
    QTest::newRow("none") << 0 << 1;
    QTest::newRow("one full link") << full << 1;
    QTest::newRow("one point into the second link") << full + 1 << 2;
    // A link after the first begins at the joint, so it holds one new point fewer.
    QTest::newRow("second link full") << 2 * full - 1 << 2;
    QTest::newRow("many links") << 5 * full + 7 << 6;
}

// The links are drawn as one line: each begins where the one before ends, and every point comes
// back once in the order added. Emptying the curve leaves one link on the chart.
void TestLiveCurve::pointsStayInOrderAcrossTheLinks()
{
    QFETCH(int, points);
    QChart chart;
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    const QPen pen(Qt::red, 2);
    LiveCurve curve(&chart, x, y, pen);

    QList<QPointF> added;
    for (int i = 0; i < points; ++i) {
        added.append(QPointF(i * 0.001, (i * 37) % 1000));
        curve.Append(added.constLast());
    }

    QCOMPARE(curve.Points(), added);
    QCOMPARE(curve.Count(), points);
    QTEST(int(curve.Segments().size()), "links");
    QCOMPARE(chart.series().size(), curve.Segments().size());
    for (qsizetype i = 0; i < curve.Segments().size(); ++i) {
        QLineSeries* link = curve.Segments().at(i);
        QVERIFY(link->count() <= LiveCurve::SegmentPoints);
        QCOMPARE(link->pen(), pen);
        QCOMPARE(link->attachedAxes(), (QList<QAbstractAxis*>{x, y}));
        if (i > 0)
            QCOMPARE(link->at(0), curve.Segments().at(i - 1)->points().constLast());
    }

    curve.Clear();
    curve.Append(QPointF(1, 2));
    QCOMPARE(curve.Points(), QList<QPointF>{QPointF(1, 2)});
    QCOMPARE(curve.Count(), 1);
    QCOMPARE(chart.series().size(), 1);
}

QTEST_MAIN(TestLiveCurve)
#include "tst_livecurve.moc"
