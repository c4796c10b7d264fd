#include "graph/graphform.h"

#include "dialogs/alertbox.h"
#include "config/settings.h"
#include "graph/forcechart.h"
#include "graph/testlines.h"
#include "graph/testmaximum.h"
#include "platform/errorreport.h"
#include "platform/errors.h"
#include "platform/hint.h"
#include "platform/modalresult.h"
#include "platform/numbertext.h"

#include <QChartView>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString ShowDataCaption = QStringLiteral("Show &Data");
const QString ShowGraphCaption = QStringLiteral("Show &Graph");

QColor GraphColour(bool colour, const QColor& coloured)
{
    return colour ? coloured : QColor(Qt::black);
}

} // namespace

TGraphForm::TGraphForm(QWidget* owner) : QWidget(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("GraphForm"));
    setWindowTitle(QStringLiteral("Unsaved Graph"));
    resize(sizeHint());

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

    DataShowBitBtn = new QPushButton(ShowDataCaption, Panel1);
    DataShowBitBtn->setObjectName(QStringLiteral("DataShowBitBtn"));
    DataShowBitBtn->setMinimumSize(60, 25);
    SetHint(
        DataShowBitBtn,
        QStringLiteral("Toggle Graph/Table|Show the Test's Data as a Graph or as a Data Table"));
    connect(DataShowBitBtn, &QPushButton::clicked, this, &TGraphForm::DataShowBitBtnClick);

    GraphChart =
        CreateForceChart(Panel1, QStringLiteral("GraphChart"), DataShowBitBtn->sizeHint().height());
    Series1 = AddForceSeries(GraphChart, QStringLiteral("Series1"), Qt::red);
    GraphChart->viewport()->installEventFilter(this);

    // The chart covers the whole panel and the table beside the button; the button stays on top.
    auto* panelLayout = new QGridLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    panelLayout->addWidget(GraphDataMemo, 0, 1, 2, 1);
    panelLayout->addWidget(GraphChart, 0, 0, 2, 2);
    panelLayout->addWidget(DataShowBitBtn, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    panelLayout->setRowStretch(1, 1);
    panelLayout->setColumnStretch(1, 1);
    DataShowBitBtn->raise();

    RebuildTimer = new QTimer(this);
    RebuildTimer->setObjectName(QStringLiteral("RebuildTimer"));
    RebuildTimer->setSingleShot(true);
    RebuildTimer->setInterval(0);
    connect(RebuildTimer, &QTimer::timeout, this, &TGraphForm::RebuildChart);
    connect(GraphDataMemo->document(), &QTextDocument::contentsChanged, this, [this] {
        LinesRead = false;
        RebuildTimer->start();
    });

    RebuildChart();
}

void TGraphForm::SetLines(const QStringList& lines)
{
    GraphDataMemo->setPlainText(lines.join(u'\n'));
    ReadLines = lines;
    LinesRead = true;
    RebuildChart();
}

QStringList TGraphForm::Lines() const
{
    if (LinesRead)
        return ReadLines;
    ReadLines.clear();
    const QTextDocument* document = GraphDataMemo->document();
    if (!document->isEmpty()) {
        ReadLines.reserve(document->blockCount());
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            ReadLines.append(block.text());
    }
    LinesRead = true;
    return ReadLines;
}

QSize TGraphForm::sizeHint() const
{
    return QSize(340, 366);
}

void TGraphForm::SettingsChanged()
{
    RebuildChart();
}

void TGraphForm::RebuildChart()
{
    RebuildTimer->stop();
    BuiltColorGraph = ColorGraph;
    BuiltUnitsEnglish = UnitsEnglish;

    const QStringList lines = Lines();
    QList<QPointF> points;
    TestMaximum maximum;
    std::exception_ptr badRecord;
    try {
        ReadTestRecords(lines, [&](double displacement, double force) {
            maximum.Offer(force, displacement);
            points.append(QPointF(displacement, force));
        });
    } catch (const ConversionError&) {
        badRecord = std::current_exception();
    }

    SetSeriesPoints(Series1, points, GraphColour(ColorGraph, Qt::red));
    SetChartTitle(GraphChart,
                  {TestLine(lines, 0), QStringLiteral("Maximum Force=") +
                                           FloatToStr(maximum.Force()).left(4) +
                                           QStringLiteral(" at Displacement=") +
                                           FloatToStr(maximum.Displacement()).left(5)},
                  GraphColour(ColorGraph, Qt::blue));
    SetAxisTitles(
        GraphChart, UnitsEnglish ? QStringLiteral("Force (lbs.)") : QStringLiteral("Force (kg)"),
        UnitsEnglish ? QStringLiteral("Displacement (in.)") : QStringLiteral("Displacement (cm)"));
    const auto [left, right] =
        std::minmax_element(points.cbegin(), points.cend(),
                            [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    ScaleDisplacementAxis(GraphChart, points.isEmpty() ? 0.0 : left->x(),
                          points.isEmpty() ? 0.0 : right->x());
    ScaleForceAxis(GraphChart, 1.05 * maximum.Force());

    // Reported from the event loop, so that whoever changed the list goes on undisturbed.
    if (badRecord)
        QTimer::singleShot(0, this, [this, badRecord] { ErrorReport::Show(this, badRecord); });
}

bool TGraphForm::ChartIsStale() const
{
    return BuiltColorGraph != ColorGraph || BuiltUnitsEnglish != UnitsEnglish;
}

bool TGraphForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && ChartIsStale())
        RebuildTimer->start();
    return QWidget::eventFilter(watched, event);
}

void TGraphForm::DataShowBitBtnClick()
{
    const bool showChart = GraphChart->isHidden();
    GraphChart->setVisible(showChart);
    DataShowBitBtn->setText(showChart ? ShowDataCaption : ShowGraphCaption);
}

void TGraphForm::closeEvent(QCloseEvent* event)
{
    if (GraphDataMemo->document()->isModified()) {
        TAlertBox alert(this);
        alert.AlertMessage1->setText(QStringLiteral("Test data has NOT been saved!"));
        alert.AlertMessage2->setText(
            QStringLiteral("Click 'OK' to close panel, or 'CANCEL' to cancel."));
        alert.AlertOKBitBtn->setEnabled(true);
        if (alert.exec() != mrOk) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
