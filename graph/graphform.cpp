#include "graph/graphform.h"

#include "dialogs/alertbox.h"
#include "graph/testchart.h"
#include "graph/testfile.h"
#include "platform/errorreport.h"
#include "platform/errors.h"
#include "platform/modalresult.h"
#include "program/settings.h"
#include "recovery/recoveryfolder.h"

#include <QChartView>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <optional>
#include <utility>

TGraphForm::TGraphForm(QWidget* owner)
    : GraphWindow(owner, QStringLiteral("GraphForm"), QStringLiteral("Unsaved Graph"),
                  QSize(340, 366), Qt::AlignLeft, QSize(60, 25))
{
    Series1 = AddTestSeries(GraphChart);
    GraphChart->viewport()->installEventFilter(this);

    RebuildTimer = new QTimer(this);
    RebuildTimer->setObjectName(QStringLiteral("RebuildTimer"));
    RebuildTimer->setSingleShot(true);
    RebuildTimer->setInterval(0);
    connect(RebuildTimer, &QTimer::timeout, this, &TGraphForm::RebuildChart);

    RebuildChart();
}

TGraphForm::~TGraphForm()
{
    if (dropAgreed_)
        ForgetRecoveryFile();
}

void TGraphForm::SetLines(const QStringList& lines)
{
    SetTableLines(lines);
    GraphDataMemo->document()->setModified(false);
    RebuildChart();
}

void TGraphForm::TableEdited()
{
    RebuildTimer->start();
}

void TGraphForm::SettingsChanged()
{
    RebuildChart();
}

QChartView* TGraphForm::CurrentChart()
{
    if (RebuildTimer->isActive() || ChartIsStale())
        RebuildChart();
    return GraphChart;
}

void TGraphForm::RebuildChart()
{
    RebuildTimer->stop();
    BuiltColorGraph = ColorGraph;
    BuiltUnitsEnglish = UnitsEnglish;

    const std::optional<ConversionError> badRecord = DrawTestChart(GraphChart, Lines());
    emit ChartRedrawn();

    // Reported from the event loop, so that whoever changed the list goes on undisturbed, and
    // named by the caption the window has by then (an opened file's name).
    if (badRecord) {
        QTimer::singleShot(0, this, [this, error = *badRecord] {
            ErrorReport::Show(this, std::make_exception_ptr(RecordErrorIn(windowTitle(), error)));
        });
    }
}

void TGraphForm::SetRecoveryFile(const QString& path)
{
    recoveryFile_ = path;
}

void TGraphForm::ForgetRecoveryFile()
{
    ForgetRecoveredTest(std::exchange(recoveryFile_, QString()));
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
        // The test's recovery file goes with the window, not now: the main window asks every
        // window before it closes, and this one stays open when another refuses.
        dropAgreed_ = true;
    }
    event->accept();
}
