#pragma once

#include "results/testreport.h"

#include <QObject>
#include <QSet>

#include <functional>

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;
class QPrinter;
class QWidget;
class TResultsPanel;

// The Results menu of the main window and what its commands do: the Results panel, which follows
// the graph window active in the frame; the method dialog; the report of every graph window,
// printed through the main window's printer or exported as a PDF file; and the break point and
// stiffness line marked on single test graphs, off until the operator turns them on.
class ResultsCommands : public QObject
{
    Q_OBJECT
public:
    // printer is the main window's own printer, made when first asked for.
    ResultsCommands(QMainWindow* frame, QMdiArea* area, std::function<QPrinter&()> printer);

    QMenu* MenuResults;
    QAction* MenuResultsPanel; // shows or hides ResultsPanel
    QAction* MenuResultsMethod;
    QAction* MenuResultsPrintReport;
    QAction* MenuResultsExportReport;
    QAction* MenuResultsMarkGraphs;
    TResultsPanel* ResultsPanel;

    // The units or colours in force changed: the panel and the marks are computed again.
    void SettingsChanged();

    void MenuResultsMethodClick();
    void MenuResultsPrintReportClick();
    void MenuResultsExportReportClick();
    void MenuResultsMarkGraphsClick(bool mark);

private:
    // The frame's current window changed (a window opened, closed or was chosen).
    void MdiAreaSubWindowActivated();
    QList<QWidget*> TestWindows() const;
    // Print Report and Export Report need a graph window to report on.
    void EnableReportCommands();
    // A page per graph window, in the order they were opened, by the current method. Throws the
    // method file's failure.
    QList<ReportPage> ReportPages() const;
    void MarkGraphs();

    QMainWindow* Frame;
    QMdiArea* Area;
    std::function<QPrinter&()> Printer;
    QSet<QWidget*> MarkedWindows; // single test windows whose redrawing is followed by marks
};
