#include "control/livecurve.h"

#include <QChartView>
#include <QTest>
#include <QValueAxis>

#include <memory>

namespace {

// A chart with the panel's fixed axes and a live curve on them.
struct LiveChart
{
    LiveChart()
    {
        auto* x = new QValueAxis;
        auto* y = new QValueAxis;
        x->setRange(0, 1.6);
        y->setRange(0, 1000);
        view.chart()->addAxis(x, Qt::AlignBottom);
        view.chart()->addAxis(y, Qt::AlignLeft);
        view.resize(289, 337);
        curve = std::make_unique<LiveCurve>(view.chart(), x, y, QPen(Qt::red, 2));
    }
    QImage Drawn() { return view.grab().toImage(); }

    QChartView view;
    std::unique_ptr<LiveCurve> curve;
};

} // namespace

class TestLiveCurve : public QObject
{
    Q_OBJECT
private slots:
    void growingCurveIsDrawnAsAWholeOne();
};

// A curve drawn now and then while it grows, as the panel draws it, ends up drawn as the same
// points drawn at once; every point comes back in the order added, and emptying it starts afresh.
void TestLiveCurve::growingCurveIsDrawnAsAWholeOne()
{
    LiveChart growing;
    LiveChart whole;
    QList<QPointF> added;
    for (int cycle = 0; cycle < 3; ++cycle) {
        for (int count = 0; count < 1000; ++count) {
            added.append(QPointF(count / 1000.0, (count <= 600 ? count * 1.5 : 1500 - count) +
                                                     (count * 37 + cycle * 11) % 5));
            growing.curve->Append(added.constLast());
            if (count % 97 == 0)
                growing.Drawn();
        }
    }
    for (const QPointF& point : added)
        whole.curve->Append(point);
    QCOMPARE(growing.curve->Points(), added);
    QCOMPARE(growing.curve->Count(), added.size());
    QCOMPARE(growing.Drawn(), whole.Drawn());

    growing.curve->Clear();
    growing.curve->Append(QPointF(1, 2));
    QCOMPARE(growing.curve->Points(), QList<QPointF>{QPointF(1, 2)});
    QCOMPARE(growing.curve->Count(), 1);
}

QTEST_MAIN(TestLiveCurve)
#include "tst_livecurve.moc"
