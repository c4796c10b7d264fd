// The control panel's polling tick, the repeat cycling it drives and the finishing of a test.
#include "control/controlpanel.h"

#include "control/repeatcycle.h"
#include "control/updown.h"
#include "dialogs/operatorentrybox.h"
#include "graph/graphform.h"
#include "graph/testlines.h"
#include "platform/errorreport.h"
#include "platform/numbertext.h"
#include "program/settings.h"
#include "protocol/protocol.h"
#include "serial/serialcomm.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

#include <utility>

void TQORcontrolPanel::StatusTimerTimer()
{
    // A failure that repeats tick after tick (a vanished port) is reported once; the report is
    // shown outside the tick, so polling goes on while it is open.
    try {
        ReceiveOneLine();
        tickFailureReported_ = false;
    } catch (...) {
        if (tickFailureReported_)
            return;
        tickFailureReported_ = true;
        QTimer::singleShot(0, this, [this, failure = std::current_exception()] {
            ErrorReport::Show(this, failure);
        });
    }
}

void TQORcontrolPanel::ReceiveOneLine()
{
    QByteArray line;
    if (SerialComm::PortReceiveCR(PortName, line) == 0)
        return;
    AppendTestLine(QString::fromLatin1(line.chopped(line.endsWith('\r') ? 1 : 0)));
    SetStatusColour(QColor(0, 255, 0));
    ActOnLine(line);
    ApplyRepeatCycling(line);
}

void TQORcontrolPanel::ActOnLine(const QByteArray& line)
{
    const ReplyKind kind = ClassifyReply(line);
    if (const std::optional<QString> status = ReplyStatusText(line))
        QORstatus->setText(*status);

    switch (kind) {
    case ReplyKind::Acknowledge:
        PC2Meter->setValue(PC2UpDown->Position());
        break;
    case ReplyKind::OneLetterStatus:
        if (line.startsWith('D')) {
            gauge1reading->setText(QStringLiteral("0"));
            gauge2reading->setText(QStringLiteral("0.000"));
            const int cycle = StrToInt(CyclesCompleteMaskEdit->text().trimmed()) + 1;
            AppendTestLine(QStringLiteral("QOR1000 Test Graph ") +
                           FormatFloat(QStringLiteral("0"), cycle));
            AppendTestLine(QStringLiteral("X,Y"));
        }
        break;
    case ReplyKind::DataRecord:
        TakeDataRecord(line);
        break;
    default:
        break;
    }
}

void TQORcontrolPanel::TakeDataRecord(const QByteArray& line)
{
    const DecodedRecord record = DecodeDataRecord(line, DisplacementFactor, ForceFactor);
    gauge2reading->setText(record.displacementText);
    gauge1reading->setText(record.forceText);
    Series1->Append(QPointF(record.displacement, record.force));
    if (MaxForce.Offer(record.force, record.displacement)) {
        MaxForceText = gauge1reading->text();
        MaxForceDisplacementText = gauge2reading->text();
    }
}

void TQORcontrolPanel::ApplyRepeatCycling(const QByteArray& line)
{
    const RepeatCycleDecision decision =
        DecideRepeatCycle(line, {RepeatCheckBox->isChecked(), CyclesCompleteMaskEdit->text(),
                                 RepeatCountMaskEdit->text()});
    if (decision.cyclesComplete)
        CyclesCompleteMaskEdit->setText(QString::number(*decision.cyclesComplete));
    if (decision.cyclesRequired)
        RepeatCountMaskEdit->setText(QString::number(*decision.cyclesRequired));
    if (decision.endRepeatMode)
        EndRepeatMode();
    if (decision.action == RepeatAction::PerformHome)
        PerformHome();
    else if (decision.action == RepeatAction::PerformTest)
        PerformTest();
    if (decision.finishTest)
        FinishTest();
}

void TQORcontrolPanel::EndRepeatMode()
{
    RepeatCheckBox->setChecked(false);
    RepeatCountMaskEdit->setEnabled(false);
}

void TQORcontrolPanel::FinishTest()
{
    // A second end code of a test whose title is still to come is only recorded.
    if (tableTestEnded_)
        return;
    tableTestEnded_ = true;
    recovery_.EndTest();

    gauge1reading->setText(MaxForceText);
    gauge2reading->setText(MaxForceDisplacementText);
    ReplaceTestLine(1, SummaryLine(gauge1name->text(), MaxForceText, gauge2name->text(),
                                   MaxForceDisplacementText));
    ResetMaximum();

    // The prompt runs outside the tick so that polling goes on while it is open.
    if (!promptPending_) {
        promptPending_ = true;
        QTimer::singleShot(0, this, [this] { AskTitleAndShowGraph(); });
    }
}

void TQORcontrolPanel::AskTitleAndShowGraph()
{
    // The oldest ended test is titled first: one that a new test pushed out of the table, else
    // the table's own.
    ErrorReport::Guard(this, [this] {
        ActOperatorEntryBox->EntryPromptLabel->setText(QStringLiteral("Enter Graph Title:"));
        const bool titled = ActOperatorEntryBox->exec() == 1;
        const QString title = ActOperatorEntryBox->EntryInputEdit->text();
        if (titled && endedTests_.isEmpty())
            ReplaceTestLine(0, title);
        else if (titled)
            SetTestLine(endedTests_.first(), 0, title);

        auto* graph = new TGraphForm(this);
        const QStringList lines =
            endedTests_.isEmpty() ? TestDataLines() : endedTests_.constFirst();
        graph->SetLines(lines);
        graph->SetRecoveryFile(recovery_.HandOver(lines));
        graph->GraphDataMemo->document()->setModified(true);
        emit GraphWindowCreated(graph);
    });

    if (endedTests_.isEmpty())
        tableTestEnded_ = false;
    else
        endedTests_.removeFirst();
    promptPending_ = tableTestEnded_ || !endedTests_.isEmpty();
    if (promptPending_)
        QTimer::singleShot(0, this, [this] { AskTitleAndShowGraph(); });
}

void TQORcontrolPanel::AppendTestLine(const QString& line)
{
    TestDataMemo->AppendLine(line);
    recovery_.Append(line);
}

void TQORcontrolPanel::ReplaceTestLine(int index, const QString& line)
{
    if (index >= TestDataMemo->LineCount())
        return;
    TestDataMemo->ReplaceLine(index, line);
    recovery_.Replace(index, line);
}

void TQORcontrolPanel::ClearTestData()
{
    // A new test begins while the one that ended waits for its title: that one keeps its lines.
    recovery_.Clear();
    if (std::exchange(tableTestEnded_, false))
        endedTests_.append(TestDataLines());
    TestDataMemo->Clear();
    Series1->Clear();
    ResetMaximum();
}

void TQORcontrolPanel::ResetMaximum()
{
    MaxForce.Reset();
    MaxForceText = QStringLiteral("0");
    MaxForceDisplacementText = QStringLiteral("0");
}
