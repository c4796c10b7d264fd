#include "graph/graphwindow.h"

#include "graph/forcechart.h"
#include "platform/hint.h"

#include <QChartView>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

const QString ShowDataCaption = QStringLiteral("Show &Data");
const QString ShowGraphCaption = QStringLiteral("Show &Graph");
constexpr int TableLeft = 60;

} // namespace

GraphWindow::GraphWindow(QWidget* owner, const QString& name, const QString& caption,
                         QSize clientSize, Qt::AlignmentFlag buttonCorner, QSize buttonSize)
    : QWidget(owner), ClientSize(clientSize)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(name);
    setWindowTitle(caption);
    resize(clientSize);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addWidget(Panel1);

    GraphDataMemo = new QPlainTextEdit(Panel1);
    GraphDataMemo->setObjectName(QStringLiteral("GraphDataMemo"));
    GraphDataMemo->setReadOnly(true);
    GraphDataMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    GraphDataMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    GraphDataMemo->setFocusPolicy(Qt::ClickFocus);
    connect(GraphDataMemo->document(), &QTextDocument::contentsChanged, this, [this] {
        if (filling_)
            return;
        tableFilled_ = true;
        tableEdited_ = true;
        TableEdited();
    });

    DataShowBitBtn = new QPushButton(ShowGraphCaption, Panel1);
    DataShowBitBtn->setObjectName(QStringLiteral("DataShowBitBtn"));
    // As wide as its longer caption, so it keeps its size and covers no line of the table.
    DataShowBitBtn->setMinimumSize(buttonSize.expandedTo(DataShowBitBtn->sizeHint()));
    DataShowBitBtn->setText(ShowDataCaption);
    SetHint(
        DataShowBitBtn,
        QStringLiteral("Toggle Graph/Table|Show the Test's Data as a Graph or as a Data Table"));
    connect(DataShowBitBtn, &QPushButton::clicked, this, [this] { DataShowBitBtnClick(); });

    GraphChart =
        CreateForceChart(Panel1, QStringLiteral("GraphChart"), DataShowBitBtn->sizeHint().height());
    // Files dropped on a graph window go on to the main window, which opens them.
    GraphChart->setAcceptDrops(false);
    GraphDataMemo->setAcceptDrops(false);

    // The chart covers the whole panel and the table; the button stays on top.
    auto* panelLayout = new QGridLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    panelLayout->setColumnMinimumWidth(0, buttonCorner == Qt::AlignLeft
                                              ? std::max(TableLeft, DataShowBitBtn->minimumWidth())
                                              : TableLeft);
    panelLayout->addWidget(GraphDataMemo, 0, 1, 2, 1);
    panelLayout->addWidget(GraphChart, 0, 0, 2, 2);
    panelLayout->addWidget(DataShowBitBtn, 0, 0, 1, 2, buttonCorner | Qt::AlignTop);
    panelLayout->setRowStretch(1, 1);
    panelLayout->setColumnStretch(1, 1);
    DataShowBitBtn->raise();
}

void GraphWindow::DataShowBitBtnClick()
{
    const bool showChart = GraphChart->isHidden();
    if (!showChart && !tableFilled_)
        FillTable();
    GraphChart->setVisible(showChart);
    DataShowBitBtn->setText(showChart ? ShowDataCaption : ShowGraphCaption);
}

void GraphWindow::SetTableLines(const QStringList& lines)
{
    tableLines_ = lines;
    tableEdited_ = false;
    tableFilled_ = false;
    if (GraphChart->isHidden())
        FillTable();
}

const QStringList& GraphWindow::TableLines() const
{
    if (!std::exchange(tableEdited_, false))
        return tableLines_;
    tableLines_.clear();
    const QTextDocument* document = GraphDataMemo->document();
    if (!document->isEmpty()) {
        tableLines_.reserve(document->blockCount());
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            tableLines_.append(block.text());
    }
    return tableLines_;
}

void GraphWindow::FillTable()
{
    QTextDocument* document = GraphDataMemo->document();
    const bool unsaved = document->isModified();
    filling_ = true;
    GraphDataMemo->setPlainText(tableLines_.join(u'\n'));
    filling_ = false;
    document->setModified(unsaved);
    tableFilled_ = true;
}
