#include "results/resultspanel.h"

#include "graph/graphwindow.h"
#include "platform/hint.h"
#include "program/settings.h"
#include "results/currentmethod.h"
#include "results/verdictcolour.h"
#include "results/windowtests.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Wide enough for a single test's table: a result's name, its value, unit, limits and verdict.
constexpr int MinimumWidth = 470;

QLabel* AddLabel(QWidget* owner, const char* name)
{
    auto* label = new QLabel(owner);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString UnitsCaption(bool english)
{
    return english ? QStringLiteral("English units (lbs., in.)")
                   : QStringLiteral("metric units (kg, cm)");
}

} // namespace

TResultsPanel::TResultsPanel(QWidget* owner) : QDockWidget(QStringLiteral("Results"), owner)
{
    setObjectName(QStringLiteral("ResultsPanel"));
    auto* contents = new QWidget(this);
    contents->setObjectName(QStringLiteral("ResultsContents"));
    // Figures read more easily in the plain weight than in the frame's bold.
    QFont plain = contents->font();
    plain.setBold(false);
    contents->setFont(plain);
    contents->setMinimumWidth(MinimumWidth);
    MethodLabel = AddLabel(contents, "MethodLabel");
    TestLabel = AddLabel(contents, "TestLabel");
    VerdictLabel = AddLabel(contents, "VerdictLabel");
    VerdictLabel->setMargin(4);
    VerdictLabel->setAutoFillBackground(true);

    ResultsTable = new QTableWidget(contents);
    ResultsTable->setObjectName(QStringLiteral("ResultsTable"));
    ResultsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ResultsTable->verticalHeader()->hide();
    ResultsTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ResultsTable->setWordWrap(false);

    CopyButton = new QPushButton(QStringLiteral("Cop&y"), contents);
    CopyButton->setObjectName(QStringLiteral("CopyButton"));
    SetHint(CopyButton, QStringLiteral("Copy Results|Copy the results table to the clipboard as "
                                       "tab-separated text for a spreadsheet (Ctrl+C)"));
    connect(CopyButton, &QPushButton::clicked, this, &TResultsPanel::CopyButtonClick);
    auto* copyKeys = new QShortcut(QKeySequence::Copy, ResultsTable);
    copyKeys->setContext(Qt::WidgetShortcut);
    connect(copyKeys, &QShortcut::activated, this, &TResultsPanel::CopyButtonClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CopyButton);
    auto* column = new QVBoxLayout(contents);
    column->addWidget(MethodLabel);
    column->addWidget(TestLabel);
    column->addWidget(VerdictLabel);
    column->addWidget(ResultsTable, 1);
    column->addLayout(buttons);
    setWidget(contents);
    Refresh();
}

void TResultsPanel::FollowWindow(QWidget* window)
{
    disconnect(FollowedRedrawn);
    Followed = IsTestWindow(window) ? window : nullptr;
    if (Followed) {
        FollowedRedrawn = connect(qobject_cast<GraphWindow*>(window), &GraphWindow::ChartRedrawn,
                                  this, &TResultsPanel::Refresh);
    }
    Refresh();
}

void TResultsPanel::Refresh()
{
    const TestMethod method = ShowMethod();
    const QList<NamedTest> tests = TestsIn(Followed);
    if (tests.isEmpty()) {
        TestLabel->setText(
            Followed ? QStringLiteral("%1 holds no test yet.").arg(Followed->windowTitle())
                     : QStringLiteral("No graph window is active."));
        VerdictLabel->hide();
        ShowTable({});
        return;
    }
    TestLabel->setText(Followed->windowTitle());
    const SampleResults sample = EvaluateTests(tests, method, UnitsEnglish);
    const TestMethod inUnits = MethodInUnits(method, UnitsEnglish);

    if (ShowsSeveralTests(Followed)) {
        const SampleStatistics& statistics = sample.statistics;
        if (HasLimits(method)) {
            ShowVerdict(QStringLiteral("%1 passed, %2 failed")
                            .arg(statistics.passed)
                            .arg(statistics.failed),
                        statistics.failed == 0);
        } else {
            VerdictLabel->hide();
        }
        ShowTable(SampleResultTable(sample, inUnits));
        return;
    }
    const TestEntry& test = sample.tests.constFirst();
    if (!test.failure.isEmpty()) {
        ShowVerdict(QStringLiteral("No results: %1").arg(test.failure), false);
        ShowTable({});
        return;
    }
    if (test.judgement.verdict == Verdict::None)
        VerdictLabel->hide();
    else
        ShowVerdict(JudgementText(test.judgement, test.results),
                    test.judgement.verdict == Verdict::Pass);
    ShowTable(TestResultTable(test, inUnits));
}

TestMethod TResultsPanel::ShowMethod()
{
    QString problem;
    TestMethod method;
    try {
        method = LoadCurrentMethod();
    } catch (const ProgramError& error) {
        problem = error.Message();
    }
    const QString path = CurrentMethodPath();
    QString text =
        path.isEmpty() || !problem.isEmpty()
            ? QStringLiteral("No method: the maximum, its displacement and the energy only")
            : QStringLiteral("Method: %1").arg(MethodName(method, path));
    text += QStringLiteral(", in %1.").arg(UnitsCaption(UnitsEnglish));
    if (!problem.isEmpty())
        text += QStringLiteral("\n") + problem;
    MethodLabel->setText(text);
    MethodLabel->setToolTip(QDir::toNativeSeparators(path));
    return method;
}

void TResultsPanel::ShowVerdict(const QString& text, bool passed)
{
    VerdictLabel->setText(text);
    QPalette palette = VerdictLabel->palette();
    palette.setColor(QPalette::Window, VerdictColour(passed));
    palette.setColor(QPalette::WindowText, Qt::white);
    VerdictLabel->setPalette(palette);
    QFont bold = VerdictLabel->font();
    bold.setBold(true);
    VerdictLabel->setFont(bold);
    VerdictLabel->show();
}

void TResultsPanel::ShowTable(const ResultTable& table)
{
    Shown = table;
    ResultsTable->clear();
    ResultsTable->setColumnCount(static_cast<int>(table.headings.size()));
    ResultsTable->setRowCount(static_cast<int>(table.rows.size()));
    QStringList headings = table.headings;
    headings.replaceInStrings(QStringLiteral(" ("), QStringLiteral("\n(")); // units beneath
    ResultsTable->setHorizontalHeaderLabels(headings);
    for (int row = 0; row < table.rows.size(); ++row) {
        const QStringList& cells = table.rows.at(row);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells.at(column));
            if (const QColor colour = VerdictCellColour(cells.at(column)); colour.isValid())
                item->setForeground(colour);
            else if (bool number = false; cells.at(column).toDouble(&number), number)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ResultsTable->setItem(row, column, item);
        }
    }
    ResultsTable->resizeColumnsToContents();
}

void TResultsPanel::CopyButtonClick()
{
    if (!Shown.headings.isEmpty())
        QApplication::clipboard()->setText(TabSeparated(Shown));
}
