#include "results/resultscommands.h"

#include "graph/filecommands.h"
#include "graph/graphform.h"
#include "graph/testfilenames.h"
#include "graph/testlines.h"
#include "platform/errorreport.h"
#include "platform/hint.h"
#include "program/settings.h"
#include "results/currentmethod.h"
#include "results/methoddialog.h"
#include "results/resultmarks.h"
#include "results/resultspanel.h"
#include "results/windowtests.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace {

const QString ReportName = QStringLiteral("Test Report");

QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                     const QKeySequence& keys = {})
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(keys);
    SetHint(item, hint);
    return item;
}

} // namespace

ResultsCommands::ResultsCommands(QMainWindow* frame, QMdiArea* area,
                                 std::function<QPrinter&()> printer)
    : QObject(frame), Frame(frame), Area(area), Printer(std::move(printer))
{
    setObjectName(QStringLiteral("ResultsCommands"));
    ResultsPanel = new TResultsPanel(frame);
    ResultsPanel->hide();

    MenuResults = new QMenu(QStringLiteral("&Results"), frame);
    MenuResults->setObjectName(QStringLiteral("MenuResults"));
    MenuResults->menuAction()->setObjectName(QStringLiteral("MenuResultsItem"));
    MenuResultsPanel = ResultsPanel->toggleViewAction();
    MenuResultsPanel->setObjectName(QStringLiteral("MenuResultsPanel"));
    MenuResultsPanel->setText(QStringLiteral("Results &Panel"));
    MenuResultsPanel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    SetHint(MenuResultsPanel,
            QStringLiteral("Results Panel|Show the results, limits and verdicts of the active "
                           "graph window"));
    MenuResults->addAction(MenuResultsPanel);
    MenuResultsMethod = AddMenuItem(
        MenuResults, "MenuResultsMethod", QStringLiteral("&Method..."),
        QStringLiteral("Method|Choose or edit what is computed for each test and its limits"),
        QKeySequence(Qt::CTRL | Qt::Key_M));
    MenuResults->addSeparator();
    MenuResultsPrintReport =
        AddMenuItem(MenuResults, "MenuResultsPrintReport", QStringLiteral("Print &Report"),
                    QStringLiteral("Print Report|Print a report page for every graph window"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    MenuResultsExportReport = AddMenuItem(
        MenuResults, "MenuResultsExportReport", QStringLiteral("&Export Report (PDF)..."),
        QStringLiteral("Export Report|Write a report page for every graph window to a PDF file"),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    MenuResults->addSeparator();
    MenuResultsMarkGraphs = AddMenuItem(
        MenuResults, "MenuResultsMarkGraphs", QStringLiteral("Mark &Break and Stiffness on Graphs"),
        QStringLiteral("Mark Graphs|Draw the break point and the stiffness line on single test "
                       "graphs"));
    MenuResultsMarkGraphs->setCheckable(true);
    MenuResultsMarkGraphs->setChecked(MarkResultsOnGraphs());

    // The frame tells of a closing window while it is still there: the menu looks again.
    connect(MenuResults, &QMenu::aboutToShow, this, &ResultsCommands::EnableReportCommands);
    connect(MenuResultsMethod, &QAction::triggered, this, &ResultsCommands::MenuResultsMethodClick);
    connect(MenuResultsPrintReport, &QAction::triggered, this,
            &ResultsCommands::MenuResultsPrintReportClick);
    connect(MenuResultsExportReport, &QAction::triggered, this,
            &ResultsCommands::MenuResultsExportReportClick);
    connect(MenuResultsMarkGraphs, &QAction::triggered, this,
            &ResultsCommands::MenuResultsMarkGraphsClick);
    // The frame's destructor cuts its own connections to the area before the windows go; this
    // one goes with it, as it is made in the frame's name.
    connect(Area, &QMdiArea::subWindowActivated, Frame, [this] { MdiAreaSubWindowActivated(); });
    MdiAreaSubWindowActivated();
}

void ResultsCommands::SettingsChanged()
{
    ResultsPanel->Refresh();
    MarkGraphs();
}

QList<QWidget*> ResultsCommands::TestWindows() const
{
    QList<QWidget*> windows;
    for (QMdiSubWindow* child : Area->subWindowList()) {
        if (IsTestWindow(child->widget()))
            windows.append(child->widget());
    }
    return windows;
}

void ResultsCommands::MdiAreaSubWindowActivated()
{
    // The current window stays while a dialog or another program has the focus.
    QMdiSubWindow* current = Area->currentSubWindow();
    QWidget* window = current ? current->widget() : nullptr;
    ResultsPanel->FollowWindow(window);

    EnableReportCommands();

    auto* single = qobject_cast<TGraphForm*>(window);
    if (single && !MarkedWindows.contains(single)) {
        MarkedWindows.insert(single);
        connect(single, &QObject::destroyed, this,
                [this, single] { MarkedWindows.remove(single); });
        connect(single, &GraphWindow::ChartRedrawn, this, [this, single] {
            if (MenuResultsMarkGraphs->isChecked())
                MarkResults(single, CurrentMethod(), true);
        });
        if (MenuResultsMarkGraphs->isChecked())
            MarkResults(single, CurrentMethod(), true);
    }
}

void ResultsCommands::EnableReportCommands()
{
    const bool any = !TestWindows().isEmpty();
    MenuResultsPrintReport->setEnabled(any);
    MenuResultsExportReport->setEnabled(any);
}

void ResultsCommands::MarkGraphs()
{
    const TestMethod method = CurrentMethod();
    for (QWidget* window : TestWindows()) {
        if (auto* single = qobject_cast<TGraphForm*>(window))
            MarkResults(single, method, MenuResultsMarkGraphs->isChecked());
    }
}

void ResultsCommands::MenuResultsMethodClick()
{
    TMethodDialog dialog(Frame);
    if (dialog.exec() == QDialog::Accepted)
        SettingsChanged();
}

QList<ReportPage> ResultsCommands::ReportPages() const
{
    const TestMethod method = LoadCurrentMethod();
    const QString methodName = MethodName(method, CurrentMethodPath());
    const TestMethod inUnits = MethodInUnits(method, UnitsEnglish);
    const QDateTime now = QDateTime::currentDateTime();
    QList<ReportPage> pages;
    for (QWidget* window : TestWindows()) {
        ReportPage page;
        page.severalTests = ShowsSeveralTests(window);
        page.sample = EvaluateTests(TestsIn(window), method, UnitsEnglish);
        if (page.severalTests) {
            page.title = window->windowTitle();
        } else {
            auto* single = qobject_cast<TGraphForm*>(window);
            page.title = TestLine(single->Lines(), 0);
            // A test not saved yet keeps the caption it was made with.
            if (!single->GraphDataMemo->document()->isModified())
                page.fileName = QDir::toNativeSeparators(window->windowTitle());
        }
        page.methodName = methodName;
        page.method = inUnits;
        page.operatorName = CurrentOperator();
        page.lot = CurrentLot();
        page.printed = now;
        page.chart = PrintableChart(window);
        pages.append(page);
    }
    return pages;
}

void ResultsCommands::MenuResultsPrintReportClick()
{
    ErrorReport::Guard(Frame, [&] {
        const QList<ReportPage> pages = ReportPages();
        if (pages.isEmpty())
            return;
        TellPrintDestination(
            Frame, Frame->statusBar(),
            PrintDocument(Printer(), ReportName,
                          [&](QPagedPaintDevice& device) { return DrawReport(pages, device); }),
            QStringLiteral("report"), QStringLiteral("Print Report"));
    });
}

void ResultsCommands::MenuResultsExportReportClick()
{
    if (TestWindows().isEmpty())
        return;
    QFileDialog dialog(Frame, QStringLiteral("Export Report"));
    dialog.setObjectName(QStringLiteral("ReportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(DataFolder());
    dialog.selectFile(QFileInfo(PrintFileFor(ReportName, DataFolder())).fileName());
    const QString path = ChooseFile(dialog);
    if (path.isEmpty())
        return;
    ErrorReport::Guard(Frame, [&] {
        WriteReportPdf(ReportPages(), path, QStringLiteral("QOR-1000"));
        Frame->statusBar()->showMessage(
            QStringLiteral("The report was written to %1").arg(QDir::toNativeSeparators(path)));
    });
}

void ResultsCommands::MenuResultsMarkGraphsClick(bool mark)
{
    ErrorReport::Guard(Frame, [&] { SetMarkResultsOnGraphs(mark); });
    MarkGraphs();
}
