#pragma once

#include <QSize>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QChartView;
class QPlainTextEdit;
class QPushButton;
QT_END_NAMESPACE

// What both graph windows are made of: one panel holding the chart over its whole area, the test's
// raw lines under the chart right of a 60-pixel margin, and on top, in one of the upper corners,
// the button that switches between the two. The window frees itself when it closes.
//
// The table is filled only when it is first shown: a long test takes far longer to lay out as text
// than to draw as a curve, and most tests are only ever looked at as a chart.
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

    // The lines the table shows, in it or waiting to be laid out there; the table's unsaved mark
    // stays as it is.
    void SetTableLines(const QStringList& lines);
    // The table's lines, read back from it when its text was changed other than through
    // SetTableLines.
    const QStringList& TableLines() const;
    // The table's text was changed other than through SetTableLines.
    virtual void TableEdited() {}

private:
    void FillTable();

    QSize ClientSize;
    mutable QStringList tableLines_;
    bool tableFilled_ = true;
    mutable bool tableEdited_ = false;
    bool filling_ = false;
};
