#include "control/livecurve.h"

#include <QChart>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

class TestLiveCurve : public QObject
{
    Q_OBJECT
private slots:
    void pointsStayInOrderAcrossTheLinks();
};

// The links are drawn as one line: each begins where the one before ends, and every point comes
// back once in the order added. Emptying the curve leaves one link on the chart.
void TestLiveCurve::pointsStayInOrderAcrossTheLinks()
{
    QChart chart;
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    const QPen pen(Qt::red, 2);
    LiveCurve curve(&chart, x, y, pen);

    // Points added so far and the links they take: a link after the first begins at the joint, so
    // it holds one new point fewer.
    constexpr int full = LiveCurve::SegmentPoints;
    const QList<std::pair<int, int>> growth{
        {0, 1}, {full, 1}, {full + 1, 2}, {2 * full - 1, 2}, {5 * full + 7, 6}};
    QList<QPointF> added;
    for (const auto& [points, links] : growth) {
        while (added.size() < points) {
            added.append(QPointF(added.size() * 0.001, (added.size() * 37) % 1000));
            curve.Append(added.constLast());
        }
        QCOMPARE(curve.Points(), added);
        QCOMPARE(curve.Count(), points);
        QCOMPARE(curve.Segments().size(), links);
        QCOMPARE(chart.series().size(), links);
    }
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
