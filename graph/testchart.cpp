#include "graph/testchart.h"

#include "graph/forcechart.h"
#include "graph/testlines.h"
#include "platform/numbertext.h"
#include "program/settings.h"

#include <QChartView>
#include <QLineSeries>

#include <algorithm>

namespace {

const QString CurveName = QStringLiteral("Series1");

} // namespace

QChartView* CreateTestChart(QWidget* parent, const QString& objectName, int topMargin)
{
    QChartView* chart = CreateForceChart(parent, objectName, topMargin);
    AddTestSeries(chart);
    return chart;
}

QLineSeries* AddTestSeries(QChartView* chart)
{
    return AddForceSeries(chart, CurveName, Qt::red);
}

std::optional<ConversionError> DrawTestChart(QChartView* chart, const QStringList& lines)
{
    QList<QPointF> points;
    // The chart's maximum starts from 0 and moves only to a greater force, so a test whose forces
    // are all 0 reads 0 at 0 (the control panel's FinishTest takes the first record instead).
    QPointF maximum;
    std::optional<ConversionError> badRecord;
    try {
        ReadTestRecords(lines, [&](double displacement, double force) {
            if (force > maximum.y())
                maximum = QPointF(displacement, force);
            points.append(QPointF(displacement, force));
        });
    } catch (const ConversionError& error) {
        badRecord = error;
    }

    auto* series = chart->chart()->findChild<QLineSeries*>(CurveName, Qt::FindDirectChildrenOnly);
    SetSeriesPoints(series, points, GraphColour(Qt::red));
    SetChartTitle(chart,
                  {TestLine(lines, 0),
                   QStringLiteral("Maximum Force=") + FloatToStr(maximum.y()).left(4) +
                       QStringLiteral(" at Displacement=") + FloatToStr(maximum.x()).left(5)},
                  GraphColour(Qt::blue));
    SetAxisTitles(chart, UnitsEnglish);
    const auto [left, right] =
        std::minmax_element(points.cbegin(), points.cend(),
                            [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    ScaleDisplacementAxis(chart, points.isEmpty() ? 0.0 : left->x(),
                          points.isEmpty() ? 0.0 : right->x());
    ScaleForceAxis(chart, maximum.y());
    return badRecord;
}
