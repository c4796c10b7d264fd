#include "library/librarytrendform.h"

#include "library/trendchart.h"
#include "program/settings.h"

#include <QChartView>
#include <QVBoxLayout>

TLibraryTrendForm::TLibraryTrendForm(const QList<LibraryEntry>& entries,
                                     const QList<int>& positions, ResultKind kind, QWidget* owner)
    : QWidget(owner)
{
    setObjectName(QStringLiteral("LibraryTrendForm"));
    setWindowTitle(QStringLiteral("Trend of %1").arg(ResultName(kind)));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(sizeHint());
    TrendChart = CreateTrendChart(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(TrendChart);

    const std::optional<TestMethod> method = MethodOfEntries(entries, positions);
    const Trend trend =
        TrendOf(entries, positions, kind, UnitsEnglish, method ? &*method : nullptr);
    QString title = QStringLiteral("%1 of %2 tests").arg(ResultName(kind)).arg(trend.points.size());
    if (method)
        title += QStringLiteral(", method \"%1\"").arg(method->name);
    DrawTrend(TrendChart, trend, title, ResultHeading(kind, UnitsEnglish));
}
