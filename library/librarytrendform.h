#pragma once

#include "library/libraryentry.h"

#include <QWidget>

QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

// The trend of one result of tests chosen in the library window, drawn over the time they
// finished with the limits of their method, their mean and the mean +/- 3 SD, in the units in
// force. A window among the graph windows.
class TLibraryTrendForm : public QWidget
{
    Q_OBJECT
public:
    TLibraryTrendForm(const QList<LibraryEntry>& entries, const QList<int>& positions,
                      ResultKind kind, QWidget* owner = nullptr);
    // The window's own size, kept when the main window cascades its windows.
    QSize sizeHint() const override { return {700, 460}; }

    QChartView* TrendChart;
};
