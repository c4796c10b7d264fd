#pragma once

#include <QSize>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QChartView;
class QPlainTextEdit;
class QPushButton;
QT_END_NAMESPACE

// What both graph windows are made of: one panel holding the chart over its whole area, the test's
// raw lines under the chart right of a 60-pixel margin, and on top, in one of the upper corners,
// the button that switches between the two. The window frees itself when it closes.
class GraphWindow : public QWidget
{
    Q_OBJECT
public:
    QSize sizeHint() const override { return ClientSize; }

    QWidget* Panel1;
    QPlainTextEdit* GraphDataMemo;
    QChartView* GraphChart;
    QPushButton* DataShowBitBtn;

signals:
    // The chart was drawn again from the window's tests (new lines, a test added, other units or
    // colours): whatever reads the tests or draws over the chart looks again.
    void ChartRedrawn();

protected:
    GraphWindow(QWidget* owner, const QString& name, const QString& caption, QSize clientSize,
                Qt::AlignmentFlag buttonCorner, QSize buttonSize);

    // Shows the raw lines in the chart's place, or the chart again; the button's caption names
    // what it will show next ("Show &Data" while the chart shows).
    virtual void DataShowBitBtnClick();

private:
    QSize ClientSize;
};
