#pragma once

#include <QSize>
#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QChartView;
class QPlainTextEdit;
class QPushButton;
class QWidget;
QT_END_NAMESPACE

// The panel both graph windows are made of: the chart over the whole panel, the test's raw lines
// under it right of a 60-pixel margin, and the button that switches between the two on top, in
// one of the upper corners.
struct GraphPanel
{
    QWidget* Panel1;
    QPlainTextEdit* GraphDataMemo;
    QChartView* GraphChart;
    QPushButton* DataShowBitBtn;
};

// Fills form with the panel. The chart's title starts below the button.
GraphPanel CreateGraphPanel(QWidget* form, Qt::AlignmentFlag buttonCorner, QSize buttonSize);

// Shows the raw lines in the chart's place, or the chart again; the button's caption names what
// it will show next ("Show &Data" while the chart shows).
void ToggleChartAndTable(QChartView* chart, QPushButton* button);
