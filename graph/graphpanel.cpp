#include "graph/graphpanel.h"

#include "graph/forcechart.h"
#include "platform/hint.h"

#include <QChartView>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString ShowDataCaption = QStringLiteral("Show &Data");
const QString ShowGraphCaption = QStringLiteral("Show &Graph");
constexpr int TableLeft = 60;

} // namespace

GraphPanel CreateGraphPanel(QWidget* form, Qt::AlignmentFlag buttonCorner, QSize buttonSize)
{
    GraphPanel panel;
    panel.Panel1 = new QWidget(form);
    panel.Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* formLayout = new QVBoxLayout(form);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addWidget(panel.Panel1);

    panel.GraphDataMemo = new QPlainTextEdit(panel.Panel1);
    panel.GraphDataMemo->setObjectName(QStringLiteral("GraphDataMemo"));
    panel.GraphDataMemo->setReadOnly(true);
    panel.GraphDataMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    panel.GraphDataMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    panel.GraphDataMemo->setFocusPolicy(Qt::ClickFocus);

    panel.DataShowBitBtn = new QPushButton(ShowDataCaption, panel.Panel1);
    panel.DataShowBitBtn->setObjectName(QStringLiteral("DataShowBitBtn"));
    panel.DataShowBitBtn->setMinimumSize(buttonSize);
    SetHint(
        panel.DataShowBitBtn,
        QStringLiteral("Toggle Graph/Table|Show the Test's Data as a Graph or as a Data Table"));

    panel.GraphChart = CreateForceChart(panel.Panel1, QStringLiteral("GraphChart"),
                                        panel.DataShowBitBtn->sizeHint().height());
    // Files dropped on a graph window go on to the main window, which opens them.
    panel.GraphChart->setAcceptDrops(false);
    panel.GraphDataMemo->setAcceptDrops(false);

    // The chart covers the whole panel and the table; the button stays on top.
    auto* panelLayout = new QGridLayout(panel.Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    panelLayout->setColumnMinimumWidth(0, TableLeft);
    panelLayout->addWidget(panel.GraphDataMemo, 0, 1, 2, 1);
    panelLayout->addWidget(panel.GraphChart, 0, 0, 2, 2);
    panelLayout->addWidget(panel.DataShowBitBtn, 0, 0, 1, 2, buttonCorner | Qt::AlignTop);
    panelLayout->setRowStretch(1, 1);
    panelLayout->setColumnStretch(1, 1);
    panel.DataShowBitBtn->raise();
    return panel;
}

void ToggleChartAndTable(QChartView* chart, QPushButton* button)
{
    const bool showChart = chart->isHidden();
    chart->setVisible(showChart);
    button->setText(showChart ? ShowDataCaption : ShowGraphCaption);
}
