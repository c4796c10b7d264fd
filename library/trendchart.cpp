#include "library/trendchart.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <tuple>

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

// The level lines, after the tests' line, in the order of the legend.
std::array<std::optional<double>, 5> Levels(const Trend& trend)
{
    return {trend.high, trend.upperControl, trend.mean, trend.lowerControl, trend.low};
}

QLineSeries* Line(QChart* chart, std::size_t index)
{
    return static_cast<QLineSeries*>(chart->series().at(static_cast<qsizetype>(index)));
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

    AddLine(chart, QStringLiteral("Tests"), Qt::blue, Qt::SolidLine);
    const QColor orange(255, 140, 0);
    const std::array<std::tuple<QString, QColor, Qt::PenStyle>, 5> levels{
        std::tuple{QStringLiteral("High limit"), QColor(Qt::red), Qt::DashLine},
        std::tuple{QStringLiteral("Mean + 3 SD"), orange, Qt::DotLine},
        std::tuple{QStringLiteral("Mean"), QColor(Qt::darkGreen), Qt::SolidLine},
        std::tuple{QStringLiteral("Mean - 3 SD"), orange, Qt::DotLine},
        std::tuple{QStringLiteral("Low limit"), QColor(Qt::red), Qt::DashLine}};
    // A level line that a trend lacks is hidden, and with it its entry in the legend.
    for (const auto& [name, colour, style] : levels)
        AddLine(chart, name, colour, style)->setVisible(false);

    auto* view = new QChartView(chart, parent);
    view->setObjectName(QStringLiteral("TrendChart"));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void DrawTrend(QChartView* view, const Trend& trend, const QString& title,
               const QString& valueTitle)
{
    QChart* chart = view->chart();
    // The tests' points of a trend drawn before go first: every change of an axis maps every point
    // across it again.
    QLineSeries* tests = Line(chart, 0);
    tests->clear();
    chart->setTitle(title);
    auto* time = static_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0));
    auto* values = static_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    values->setTitleText(valueTitle);
    const std::array<std::optional<double>, 5> levels = Levels(trend);
    for (std::size_t level = 0; level < levels.size(); ++level)
        Line(chart, level + 1)->setVisible(levels[level] && !trend.points.isEmpty());
    if (trend.points.isEmpty())
        return;

    // Each axis is given its range once, before the points: every change lays its labels out again.
    const double first = trend.points.constFirst().x();
    // A single test, or tests of one moment, still get a span of time to draw across.
    const double last = std::max(trend.points.constLast().x(), first + 60'000);
    time->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first)),
                   QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(last)));
    const auto [lowest, highest] = std::ranges::minmax(trend.points, {}, &QPointF::y);
    double bottom = lowest.y();
    double top = highest.y();
    for (const std::optional<double>& level : levels) {
        if (level) {
            bottom = std::min(bottom, *level);
            top = std::max(top, *level);
        }
    }
    const double margin =
        top > bottom ? (top - bottom) * 0.05 : std::max(1.0, std::abs(top) * 0.05);
    // The chart's own rounding to a nice range and ticks, worked out on an axis that is not drawn.
    QValueAxis nice;
    nice.setRange(bottom - margin, top + margin);
    nice.applyNiceNumbers();
    values->setTickCount(nice.tickCount());
    values->setRange(nice.min(), nice.max());

    for (std::size_t level = 0; level < levels.size(); ++level) {
        if (levels[level])
            Line(chart, level + 1)->replace({{first, *levels[level]}, {last, *levels[level]}});
    }
    tests->setPointsVisible(trend.points.size() <= MarkedTests);
    tests->replace(trend.points);
}
