#include "graph/forcechart.h"

#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr int CurvePoints = 20000;
constexpr QSize ChartSize(600, 450);

// A chart of the graph windows showing points, with the curve drawn by the program or, as the
// chart library draws a series, every point.
QImage Drawn(const QList<QPointF>& points, bool everyPoint)
{
    const std::unique_ptr<QChartView> chart(
        CreateForceChart(nullptr, QStringLiteral("GraphChart"), 25));
    chart->resize(ChartSize);
    if (everyPoint) {
        auto* series = new QLineSeries;
        series->setPen(QPen(Qt::red, 2));
        chart->chart()->addSeries(series);
        for (QAbstractAxis* axis : chart->chart()->axes())
            series->attachAxis(axis);
        series->replace(points);
    } else {
        SetSeriesPoints(AddForceSeries(chart.get(), QStringLiteral("Series1"), Qt::red), points,
                        Qt::red);
    }
    const auto [left, right] = std::ranges::minmax(points, {}, &QPointF::x);
    ScaleDisplacementAxis(chart.get(), left.x(), right.x());
    ScaleForceAxis(chart.get(), std::ranges::max(points, {}, &QPointF::y).y());
    return chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// At least half the curve's colour over the white of the plot.
bool OnCurve(const QImage& image, int x, int y)
{
    if (!image.rect().contains(x, y))
        return false;
    const QRgb pixel = image.pixel(x, y);
    return qRed(pixel) - std::max(qGreen(pixel), qBlue(pixel)) >= 128;
}

int CurvePixels(const QImage& image)
{
    int pixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            pixels += OnCurve(image, x, y) ? 1 : 0;
    }
    return pixels;
}

bool NearCurve(const QImage& image, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (OnCurve(image, x + dx, y + dy))
                return true;
        }
    }
    return false;
}

// Pixels that differ by more than a quarter of a colour channel anywhere but at the curve's own
// edge, where drawing many short segments over one another darkens the antialiasing: within a
// pixel of the curve in both images.
int DifferingAwayFromTheCurve(const QImage& image, const QImage& other)
{
    int differing = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = other.pixel(x, y);
            const bool alike = std::abs(qRed(a) - qRed(b)) <= 64 &&
                               std::abs(qGreen(a) - qGreen(b)) <= 64 &&
                               std::abs(qBlue(a) - qBlue(b)) <= 64;
            if (!alike && !(NearCurve(image, x, y) && NearCurve(other, x, y)))
                ++differing;
        }
    }
    return differing;
}

QList<QPointF> Curve(const std::function<QPointF(int)>& point)
{
    QList<QPointF> points;
    for (int i = 0; i < CurvePoints; ++i)
        points.append(point(i));
    return points;
}

} // namespace

class CurveEnvelopeTest : public QObject
{
    Q_OBJECT
private slots:
    void envelopeLooksLikeEveryPoint_data();
    void envelopeLooksLikeEveryPoint();
};

void CurveEnvelopeTest::envelopeLooksLikeEveryPoint_data()
{
    QTest::addColumn<QList<QPointF>>("points");

    const auto fraction = [](int i) { return double(i) / CurvePoints; };
    QTest::newRow("rising") << Curve(
        [&](int i) { return QPointF(2 * fraction(i), 1000 * (1 - std::exp(-3 * fraction(i)))); });
    QTest::newRow("falling") << Curve(
        [&](int i) { return QPointF(2 * fraction(i), 1000 * std::exp(-3 * fraction(i))); });
    QRandomGenerator noise(7);
    QTest::newRow("noisy") << Curve(
        [&](int i) { return QPointF(fraction(i), 800 * fraction(i) + noise.bounded(60.0)); });
    // Ten cycles out and back, the force lower on the way back, each cycle a little apart.
    QTest::newRow("back-running") << Curve([&](int i) {
        const double phase = std::fmod(10 * fraction(i), 1.0);
        const double out = phase < 0.5 ? 2 * phase : 2 - 2 * phase;
        const double cycle = std::floor(10 * fraction(i));
        return QPointF(out, 900 * out * (phase < 0.5 ? 1.0 : 0.6) + cycle + noise.bounded(3.0));
    });
}

void CurveEnvelopeTest::envelopeLooksLikeEveryPoint()
{
    QFETCH(QList<QPointF>, points);
    const QImage envelope = Drawn(points, false);
    const QImage everyPoint = Drawn(points, true);
    QVERIFY(CurvePixels(everyPoint) > ChartSize.width()); // the curve is there to compare
    QCOMPARE(DifferingAwayFromTheCurve(envelope, everyPoint), 0);
}

QTEST_MAIN(CurveEnvelopeTest)
#include "tst_curveenvelope.moc"
