#include "graph/forcechart.h"

#include "graph/curveitem.h"
#include "graph/labelstep.h"
#include "platform/numbertext.h"
#include "program/settings.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>

#include <algorithm>
#include <cmath>

namespace {

constexpr int DisplacementLabels = 10;
constexpr int ForceLabels = 8;

QCategoryAxis* ChartAxis(QChartView* chart, Qt::Orientation orientation)
{
    return qobject_cast<QCategoryAxis*>(chart->chart()->axes(orientation).value(0));
}

QCategoryAxis* CreatePictureAxis(QChart* chart, Qt::Alignment alignment)
{
    auto* axis = new QCategoryAxis(chart);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setGridLinePen(QPen(Qt::blue, 1, Qt::SolidLine));
    chart->addAxis(axis, alignment);
    return axis;
}

// Multiples of step, forgiving the rounding of the division.
double StepBelow(double value, double step)
{
    return std::floor(value / step + 1e-9) * step;
}

double StepAbove(double value, double step)
{
    return std::ceil(value / step - 1e-9) * step;
}

// Labels at every multiple of the step within the range, each written by the picture. The
// picture resolves the smallest step, so no two labels read the same.
void LabelAxis(QCategoryAxis* axis, double minimum, double maximum, const QString& picture,
               double step)
{
    const QStringList old = axis->categoriesLabels();
    for (const QString& label : old)
        axis->remove(label);
    const double first = StepAbove(minimum, step);
    axis->setStartValue(first);
    for (double tick = first; tick <= maximum + step * 1e-9; tick += step)
        axis->append(FormatFloat(picture, tick), tick);
    axis->setRange(minimum, maximum);
}

// The curve's entry in the legend: a series of the chart without points, which follows the
// curve's name, pen and visibility.
void AddLegendEntry(QChart* chart, QLineSeries* curve)
{
    auto* entry = new QLineSeries(chart);
    entry->setPen(curve->pen());
    chart->addSeries(entry);
    QObject::connect(curve, &QXYSeries::penChanged, entry, &QXYSeries::setPen);
    QObject::connect(curve, &QAbstractSeries::nameChanged, entry,
                     [entry, curve] { entry->setName(curve->name()); });
    QObject::connect(curve, &QAbstractSeries::visibleChanged, entry,
                     [entry, curve] { entry->setVisible(curve->isVisible()); });
}

} // namespace

QColor GraphColour(const QColor& coloured)
{
    return ColorGraph ? coloured : QColor(Qt::black);
}

QChartView* CreateForceChart(QWidget* parent, const QString& objectName, int topMargin)
{
    auto* chart = new QChart;
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(4, topMargin, 8, 4));
    chart->setPlotAreaBackgroundVisible(false);
    chart->legend()->hide();
    CreatePictureAxis(chart, Qt::AlignBottom)->setLabelsAngle(-90);
    CreatePictureAxis(chart, Qt::AlignLeft);

    auto* view = new QChartView(chart, parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setBackgroundBrush(Qt::white);
    view->setFrameShape(QFrame::NoFrame);
    return view;
}

QLineSeries* AddForceSeries(QChartView* chart, const QString& objectName, const QColor& colour)
{
    QLineSeries* series = AddCurve(chart->chart(), ChartAxis(chart, Qt::Horizontal),
                                   ChartAxis(chart, Qt::Vertical), QPen(colour, 2));
    series->setObjectName(objectName);
    AddLegendEntry(chart->chart(), series);
    return series;
}

void SetChartMark(QChartView* chart, const QString& objectName, MarkShape shape,
                  const QList<QPointF>& points, const QColor& colour)
{
    auto* mark = chart->chart()->findChild<QXYSeries*>(objectName);
    if (!mark && points.isEmpty())
        return;
    if (!mark) {
        if (shape == MarkShape::Dots) {
            auto* dots = new QScatterSeries(chart->chart());
            dots->setMarkerSize(10);
            mark = dots;
        } else {
            mark = new QLineSeries(chart->chart());
        }
        mark->setObjectName(objectName);
        chart->chart()->addSeries(mark);
        mark->attachAxis(ChartAxis(chart, Qt::Horizontal));
        mark->attachAxis(ChartAxis(chart, Qt::Vertical));
        for (QLegendMarker* marker : chart->chart()->legend()->markers(mark))
            marker->setVisible(false);
    }
    if (auto* dots = qobject_cast<QScatterSeries*>(mark)) {
        dots->setColor(colour);
        dots->setBorderColor(colour);
    } else {
        mark->setPen(QPen(colour, 3, Qt::DashLine));
    }
    mark->replace(points);
    mark->setVisible(!points.isEmpty());
}

void SetSeriesPoints(QLineSeries* series, const QList<QPointF>& points, const QColor& colour)
{
    series->setColor(colour);
    series->replace(points);
}

void SetChartTitle(QChartView* chart, const QStringList& lines, const QColor& colour)
{
    QStringList escaped;
    for (const QString& line : lines)
        escaped.append(line.toHtmlEscaped());
    chart->chart()->setTitle(escaped.join(QLatin1String("<br>")));
    chart->chart()->setTitleBrush(colour);
    SetGridColour(chart, colour);
}

void SetGridColour(QChartView* chart, const QColor& colour)
{
    for (QCategoryAxis* axis : {ChartAxis(chart, Qt::Horizontal), ChartAxis(chart, Qt::Vertical)})
        axis->setGridLineColor(colour);
}

void ShowLegend(QChartView* chart)
{
    QLegend* legend = chart->chart()->legend();
    legend->setAlignment(Qt::AlignRight);
    legend->show();
}

void SetAxisTitles(QChartView* chart, bool unitsEnglish)
{
    ChartAxis(chart, Qt::Vertical)
        ->setTitleText(unitsEnglish ? QStringLiteral("Force (lbs.)")
                                    : QStringLiteral("Force (kg)"));
    ChartAxis(chart, Qt::Horizontal)
        ->setTitleText(unitsEnglish ? QStringLiteral("Displacement (in.)")
                                    : QStringLiteral("Displacement (cm)"));
}

void ScaleDisplacementAxis(QChartView* chart, double minimum, double maximum)
{
    const double step = LabelStep(maximum - minimum, DisplacementLabels, 0.005);
    const double left = StepBelow(minimum, step);
    const double right = std::max(StepAbove(maximum, step), left + step);
    LabelAxis(ChartAxis(chart, Qt::Horizontal), left, right, QStringLiteral("#,##0.00#"), step);
}

void ScaleForceAxis(QChartView* chart, double highestForce)
{
    const double maximum = 1.05 * highestForce;
    LabelAxis(ChartAxis(chart, Qt::Vertical), 0.0, maximum, QStringLiteral("#,##0"),
              LabelStep(maximum, ForceLabels, 1.0));
}
