#include "library/librarystatisticsbox.h"

#include "library/entryresults.h"
#include "platform/hint.h"
#include "program/settings.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

TLibraryStatisticsBox::TLibraryStatisticsBox(const QList<LibraryEntry>& entries,
                                             const QList<int>& positions, QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("LibraryStatisticsBox"));
    setWindowTitle(QStringLiteral("Statistics of %1 Tests").arg(positions.size()));
    const SampleStatistics statistics = EntryStatistics(entries, positions, UnitsEnglish);
    const ResultTable table = EntryStatisticsTable(statistics, UnitsEnglish);
    copied_ = TabSeparated(table);

    StatisticsTable = new QTableWidget(static_cast<int>(table.rows.size()),
                                       static_cast<int>(table.headings.size()), this);
    StatisticsTable->setObjectName(QStringLiteral("StatisticsTable"));
    StatisticsTable->setHorizontalHeaderLabels(table.headings);
    StatisticsTable->verticalHeader()->hide();
    StatisticsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table.rows.size(); ++row) {
        for (int column = 0; column < table.headings.size(); ++column) {
            auto* cell = new QTableWidgetItem(table.rows[row][column]);
            if (column > 0)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            StatisticsTable->setItem(row, column, cell);
        }
    }
    StatisticsTable->resizeColumnsToContents();

    VerdictsLabel = new QLabel(
        QStringLiteral("Passed: %1    Failed: %2").arg(statistics.passed).arg(statistics.failed),
        this);
    VerdictsLabel->setObjectName(QStringLiteral("VerdictsLabel"));
    CopyBtn = new QPushButton(QStringLiteral("&Copy"), this);
    CopyBtn->setObjectName(QStringLiteral("CopyBtn"));
    CopyBtn->setAutoDefault(false);
    SetHint(CopyBtn, QStringLiteral("Copy|Copy the table for a spreadsheet"));
    connect(CopyBtn, &QPushButton::clicked, this, &TLibraryStatisticsBox::CopyBtnClick);
    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setDefault(true);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(VerdictsLabel, 1);
    buttons->addWidget(CopyBtn);
    buttons->addWidget(CloseBtn);
    auto* column = new QVBoxLayout(this);
    column->addWidget(StatisticsTable, 1);
    column->addLayout(buttons);
    resize(760, 330);
}

void TLibraryStatisticsBox::CopyBtnClick()
{
    QApplication::clipboard()->setText(copied_);
}
