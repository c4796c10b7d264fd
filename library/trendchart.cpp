#include "library/trendchart.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>

namespace {

// Marks at each test are drawn only up to this many: past it they hide the line.
constexpr qsizetype MarkedTests = 200;

QLineSeries* AddLine(QChart* chart, const QString& name, const QColor& colour, Qt::PenStyle style)
{
    auto* series = new QLineSeries(chart);
    series->setName(name);
    QPen pen(colour, style == Qt::SolidLine ? 2 : 1.5, style);
    series->setPen(pen);
    chart->addSeries(series);
    for (QAbstractAxis* axis : chart->axes())
        series->attachAxis(axis);
    return series;
}

} // namespace

QChartView* CreateTrendChart(QWidget* parent)
{
    auto* chart = new QChart;
    chart->setBackgroundBrush(Qt::white);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* time = new QDateTimeAxis(chart);
    time->setFormat(QStringLiteral("yyyy-MM-dd hh:mm"));
    time->setTitleText(QStringLiteral("Finished"));
    time->setLabelsAngle(-90);
    chart->addAxis(time, Qt::AlignBottom);
    auto* values = new QValueAxis(chart);
    values->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(values, Qt::AlignLeft);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QStringLiteral("TrendChart"));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void DrawTrend(QChartView* view, const Trend& trend, const QString& title,
               const QString& valueTitle)
{
    QChart* chart = view->chart();
    chart->removeAllSeries();
    chart->setTitle(title);
    auto* time = static_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0));
    auto* values = static_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    values->setTitleText(valueTitle);

    QLineSeries* tests = AddLine(chart, QStringLiteral("Tests"), Qt::blue, Qt::SolidLine);
    tests->replace(trend.points);
    tests->setPointsVisible(trend.points.size() <= MarkedTests);
    if (trend.points.isEmpty())
        return;
    // A single test, or tests of one moment, still get a span of time to draw across.
    const double first = trend.points.constFirst().x();
    const double last = std::max(trend.points.constLast().x(), first + 60'000);
    time->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first)),
                   QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(last)));
    const auto [lowest, highest] = std::ranges::minmax(trend.points, {}, &QPointF::y);
    double bottom = lowest.y();
    double top = highest.y();
    const auto level = [&](const std::optional<double>& value, const QString& name,
                           const QColor& colour, Qt::PenStyle style) {
        if (!value)
            return;
        AddLine(chart, name, colour, style)->replace({{first, *value}, {last, *value}});
        bottom = std::min(bottom, *value);
        top = std::max(top, *value);
    };
    level(trend.high, QStringLiteral("High limit"), Qt::red, Qt::DashLine);
    level(trend.upperControl, QStringLiteral("Mean + 3 SD"), QColor(255, 140, 0), Qt::DotLine);
    level(trend.mean, QStringLiteral("Mean"), Qt::darkGreen, Qt::SolidLine);
    level(trend.lowerControl, QStringLiteral("Mean - 3 SD"), QColor(255, 140, 0), Qt::DotLine);
    level(trend.low, QStringLiteral("Low limit"), Qt::red, Qt::DashLine);
    const double margin =
        top > bottom ? (top - bottom) * 0.05 : std::max(1.0, std::abs(top) * 0.05);
    values->setRange(bottom - margin, top + margin);
    values->applyNiceNumbers();
}
