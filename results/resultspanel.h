#pragma once

#include "results/resulttable.h"

#include <QDockWidget>
#include <QPointer>

class QLabel;
class QPushButton;
class QTableWidget;

// The Results panel, a dock of the main window. It follows the graph window it is given: for a
// single test its results with their limits and verdicts and the test's verdict (a pass green, a
// fail red with the reason); for a multiple window one row per test, by its legend name, with the
// sample's statistics beneath. The table copies to the clipboard as tab-separated text.
class TResultsPanel : public QDockWidget
{
    Q_OBJECT
public:
    explicit TResultsPanel(QWidget* owner = nullptr);

    // The window whose tests the panel shows from now on, and again whenever its chart is drawn
    // again; anything but a graph window leaves the panel empty.
    void FollowWindow(QWidget* window);
    // Computes what it shows again: the method or the units changed.
    void Refresh();

    QLabel* MethodLabel;
    QLabel* TestLabel;
    QLabel* VerdictLabel;
    QTableWidget* ResultsTable;
    QPushButton* CopyButton;

private:
    void CopyButtonClick();
    // The current method, or an empty one with the reason its file cannot be used.
    TestMethod ShowMethod();
    void ShowVerdict(const QString& text, bool passed);
    void ShowTable(const ResultTable& table);

    QPointer<QWidget> Followed;
    QMetaObject::Connection FollowedRedrawn;
    ResultTable Shown;
};
