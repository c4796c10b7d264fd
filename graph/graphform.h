#pragma once

#include "graph/graphwindow.h"

#include <QStringList>

QT_BEGIN_NAMESPACE
class QLineSeries;
class QTimer;
QT_END_NAMESPACE

// One test, shown as a chart of force against displacement or as its raw lines. The test line
// list is the table's (GraphDataMemo), laid out there when the table is first shown; the table's
// modified flag is the unsaved mark, which asks before the window closes.
//
// FormActivate: the window does not reach into the main window. The main window reacts to
// QMdiArea::subWindowActivated and, when the active child holds a TGraphForm, enables its Window
// menu, Save and Print.
class TGraphForm : public GraphWindow
{
    Q_OBJECT
public:
    explicit TGraphForm(QWidget* owner = nullptr);
    ~TGraphForm() override;

    // Replaces the test line list and redraws the chart; the unsaved mark is cleared.
    void SetLines(const QStringList& lines);
    const QStringList& Lines() const { return TableLines(); }

    // Redraws the chart after the units or colour setting changed. A window also notices a
    // change by itself when it next paints.
    void SettingsChanged();

    // The chart with every change of the list and the settings applied, as the next paint shows
    // it: what a print puts on paper.
    QChartView* CurrentChart();

    // The recovery file that keeps the window's unsaved test on disk (recovery/recoverywriter.h).
    // It goes once the test is saved as a test file, or once the window closes after the
    // operator agreed to drop the test; a window that goes any other way leaves it.
    void SetRecoveryFile(const QString& path);
    void ForgetRecoveryFile();

    QLineSeries* Series1;

protected:
    void closeEvent(QCloseEvent* event) override; // FormCloseQuery
    bool eventFilter(QObject* watched, QEvent* event) override;
    void TableEdited() override;

private:
    void RebuildChart();
    bool ChartIsStale() const;

    // The chart is rebuilt only when the list or a setting changed, never on a plain repaint, so
    // a bad record is reported once and not on every paint.
    QTimer* RebuildTimer;

    bool BuiltColorGraph = false;
    bool BuiltUnitsEnglish = false;

    QString recoveryFile_;
    bool dropAgreed_ = false;
};
