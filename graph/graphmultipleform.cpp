#include "graph/graphmultipleform.h"

#include "dialogs/alertbox.h"
#include "dialogs/operatorentrybox.h"
#include "graph/forcechart.h"
#include "graph/testlines.h"
#include "platform/errors.h"
#include "platform/modalresult.h"
#include "program/settings.h"

#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// The colour of each curve, Series1 first, when graphs are drawn in colour.
const std::array<QColor, TGraphMultipleForm::MaximumTests> SeriesColours{
    QColor(0xFF, 0x00, 0x00), QColor(0x00, 0x80, 0x00), QColor(0xFF, 0xFF, 0x00),
    QColor(0x00, 0x00, 0xFF), QColor(0x80, 0x80, 0x80), QColor(0xFF, 0x00, 0xFF),
    QColor(0x00, 0x80, 0x80), QColor(0x00, 0x00, 0x80), QColor(0x80, 0x00, 0x00),
    QColor(0x00, 0xFF, 0x00)};

constexpr int LegendNameLength = 16;

} // namespace

QString LegendName(const QStringList& lines)
{
    return TestLine(lines, 0).left(LegendNameLength);
}

TGraphMultipleForm::TGraphMultipleForm(QWidget* owner)
    : GraphWindow(owner, QStringLiteral("GraphMultipleForm"),
                  QStringLiteral("Multiple Graph Window"), QSize(622, 456), Qt::AlignRight,
                  QSize(75, 25))
{
    ShowLegend(GraphChart);
    SetAxisTitles(GraphChart, true);
    for (int number = 1; number <= MaximumTests; ++number) {
        QLineSeries* series =
            AddForceSeries(GraphChart, QStringLiteral("Series%1").arg(number), Qt::black);
        series->hide();
        Series.append(series);
    }
}

QList<QLineSeries*> TGraphMultipleForm::ActiveSeries() const
{
    QList<QLineSeries*> active;
    for (QLineSeries* series : Series) {
        if (series->isVisible())
            active.append(series);
    }
    return active;
}

bool TGraphMultipleForm::AddTestFile(const QStringList& lines)
{
    const qsizetype index = ActiveSeries().size();
    if (RefuseWhenFull())
        return false;
    AddedTests.append(lines);
    SetTableLines(lines);

    SetGridColour(GraphChart, GraphColour(Qt::blue));
    SetAxisTitles(GraphChart, UnitsEnglish);

    QLineSeries* series = Series.at(index);
    series->setName(LegendName(lines).toHtmlEscaped()); // the legend reads HTML
    series->show();

    QList<QPointF> points;
    std::optional<ConversionError> badRecord;
    try {
        ReadTestRecords(lines, [&](double displacement, double force) {
            points.append(QPointF(displacement, force));
        });
    } catch (const ConversionError& error) {
        badRecord = error;
    }
    SetSeriesPoints(series, points, GraphColour(SeriesColours.at(index)));
    for (const QPointF& point : points)
        Extent.Take(point);
    ScaleDisplacementAxis(GraphChart, Extent.left, Extent.right);
    ScaleForceAxis(GraphChart, Extent.top);
    if (index == 0) // over the first curve, drawn: the window shows what it is being titled for
        AskWindowTitle();
    emit ChartRedrawn();
    if (badRecord)
        throw *badRecord;
    return true;
}

bool TGraphMultipleForm::RefuseWhenFull()
{
    if (ActiveSeries().size() < MaximumTests)
        return false;
    TAlertBox alert(this);
    alert.AlertMessage1->setText(QStringLiteral("Maximum number of files exceeded!"));
    alert.AlertMessage2->setText(QStringLiteral("Click 'CANCEL' to cancel."));
    alert.exec();
    return true;
}

void TGraphMultipleForm::AskWindowTitle()
{
    ActOperatorEntryBox->EntryPromptLabel->setText(QStringLiteral("Enter Window Title:"));
    if (ActOperatorEntryBox->exec() == mrOk)
        setWindowTitle(ActOperatorEntryBox->EntryInputEdit->text());
}

void TGraphMultipleForm::PointExtent::Take(const QPointF& point)
{
    left = empty ? point.x() : std::min(left, point.x());
    right = empty ? point.x() : std::max(right, point.x());
    top = empty ? point.y() : std::max(top, point.y());
    empty = false;
}
