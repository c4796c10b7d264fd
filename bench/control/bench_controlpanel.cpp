// What the control panel costs: one polling tick that takes a data record while a 10,000-record
// test runs, the ticks of a repeat series of 100 cycles of 1,000 records and the memory each
// collected line takes, the memory of such a series sent faster than the ticks take it, drawing
// the live chart, and the processor time the panel takes while it is open and the machine says
// nothing.
#include "machineport.h"
#include "modalanswers.h"
#include "panelharness.h"

#include "dialogs/operatorentrybox.h"
#include "program/settings.h"
#include "serial/serialcomm.h"

#include <QChartView>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <malloc.h>
#include <memory>

namespace {

constexpr int TestRecords = 10000;

// A data record with the machine's force noise of up to 2 pounds either way.
QByteArray Record(int displacement, int force)
{
    static QRandomGenerator noise(1);
    const int noisy = std::max(force + int(noise.bounded(5)) - 2, 0);
    return QByteArray::number(displacement).rightJustified(4, '0') + ',' +
           QByteArray::number(noisy).rightJustified(4, '0');
}

// A record of a test that runs over the whole displacement axis of the panel's chart (1.6 in.),
// rising to 960 pounds, six records to a thousandth of an inch.
QByteArray Record(int index)
{
    const int displacement = index * 1600 / TestRecords;
    return Record(displacement, displacement * 6 / 10);
}

// A record of a cycle of a repeat series: the force rises to 900 pounds at 0.600 in. and falls off
// to 0.999 in., one record to a thousandth of an inch.
QByteArray CycleRecord(int index)
{
    return Record(index, index <= 600 ? index * 3 / 2 : 1500 - index);
}

void RunTest(PanelHarness& harness, int records)
{
    harness.panel->TestButton->click();
    harness.Tick("D");
    for (int i = 0; i < records; ++i)
        harness.Tick(Record(i % TestRecords));
}

// Resident memory of this process in bytes.
qint64 ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.value(1).toLongLong() * 4096;
}

// The time a drawing of the chart takes, once it has been drawn.
double MillisecondsToDraw(QChartView* chart)
{
    constexpr int Drawings = 20;
    chart->grab();
    QElapsedTimer clock;
    clock.start();
    for (int drawing = 0; drawing < Drawings; ++drawing)
        chart->grab();
    return clock.nsecsElapsed() / 1e6 / Drawings;
}

// Resident memory once the memory that earlier benchmarks freed has gone back to the system:
// otherwise growth would be served from it and not be seen.
qint64 ResidentBeforeGrowing()
{
    malloc_trim(0);
    return ResidentBytes();
}

} // namespace

class BenchControlPanel : public QObject
{
    Q_OBJECT
    // A panel that has collected a test of 10,000 records. QBENCHMARK runs its function again
    // until the timing settles, so the collecting is done once, here.
    PanelHarness& Collected()
    {
        if (!collected_) {
            collected_ = std::make_unique<PanelHarness>();
            RunTest(*collected_, TestRecords);
        }
        return *collected_;
    }

    std::unique_ptr<PanelHarness> collected_;

private slots:
    void wholeTestOfTenThousandRecords();
    void tickWithTenThousandRecordsCollected();
    void ticksOfALongRepeatSeries();
    void memoryOfABurst();
    void chartPaintWithTenThousandPoints();
    void processorUseWhileTheMachineIsSilent();
};

void BenchControlPanel::wholeTestOfTenThousandRecords()
{
    PanelHarness harness;
    QElapsedTimer clock;
    QBENCHMARK_ONCE
    {
        clock.start();
        RunTest(harness, TestRecords);
    }
    qInfo("mean tick over the whole test: %.1f us",
          clock.nsecsElapsed() / 1000.0 / (TestRecords + 1));
    QCOMPARE(harness.panel->Series1->Count(), TestRecords);
}

void BenchControlPanel::tickWithTenThousandRecordsCollected()
{
    PanelHarness& harness = Collected();
    int next = harness.panel->Series1->Count();
    QBENCHMARK
    {
        harness.Tick(Record(next++ % TestRecords));
    }
}

// 100 cycles of 1,000 records, each cycle's lines as the machine sends them in repeat mode. The
// mean tick is reported per tenth of the series: flat when a tick's cost does not grow with the
// lines collected.
void BenchControlPanel::ticksOfALongRepeatSeries()
{
    constexpr int Cycles = 100;
    constexpr int RecordsPerCycle = 1000;
    collected_.reset();
    TActOperatorEntryBox entryBox;
    ActOperatorEntryBox = &entryBox;
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    panel.RepeatCheckBox->click();
    panel.RepeatCountMaskEdit->setText(QString::number(Cycles));
    panel.TestButton->click();
    const double emptyChart = MillisecondsToDraw(panel.ControlChart);

    const qint64 residentBefore = ResidentBeforeGrowing();
    QElapsedTimer clock;
    // Timed by hand: a benchmark macro would run the whole series twice.
    clock.start();
    for (int cycle = 0; cycle < Cycles; ++cycle) {
        harness.Tick("D");
        for (int i = 0; i < RecordsPerCycle; ++i)
            harness.Tick(CycleRecord(i));
        harness.Tick("TM");
        if (cycle + 1 < Cycles)
            harness.Tick("H");
        harness.TakeWrites(); // the scripted library's record of calls is not the panel's
        // The data table's scroll bars queue a call when their range changes, which a running
        // event loop delivers between the ticks.
        QCoreApplication::sendPostedEvents(panel.TestDataMemo, QEvent::MetaCall);
        if ((cycle + 1) % (Cycles / 10) == 0) {
            qInfo("mean tick up to %d records: %.0f us", (cycle + 1) * RecordsPerCycle,
                  clock.nsecsElapsed() / 1000.0 / (Cycles / 10 * (RecordsPerCycle + 3)));
            clock.restart();
        }
    }
    const qsizetype lines = panel.TestDataLines().size();
    qInfo("memory per collected line: %.0f bytes (%lld lines)",
          double(ResidentBytes() - residentBefore) / lines, qlonglong(lines));
    QCOMPARE(panel.Series1->Count(), Cycles * RecordsPerCycle);

    // The chart was not drawn while the ticks ran: its first drawing lays out every point at once.
    clock.restart();
    panel.ControlChart->grab();
    qInfo("first drawing of the live chart with %d points: %.1f ms", Cycles * RecordsPerCycle,
          clock.nsecsElapsed() / 1e6);
    qInfo("drawing the live chart with %d points: %.2f ms (without them, the floor: %.2f ms)",
          Cycles * RecordsPerCycle, MillisecondsToDraw(panel.ControlChart), emptyChart);

    ModalAnswers answers({[](QWidget* prompt) { prompt->close(); }});
    QTRY_VERIFY(answers.AllAnswered());
    ActOperatorEntryBox = nullptr;
}

// The machine sends the records of a repeat series of 100 cycles at once through a real port,
// faster than the ticks take them: the memory they take per line while they wait in the serial
// layer, and once the ticks have taken them all into the data table and the live curve.
void BenchControlPanel::memoryOfABurst()
{
    constexpr int Records = 100000;
    collected_.reset();
    PanelHarness harness;
    MachinePort port(harness.start.Path(), harness.serial);
    QVERIFY(port.IsOpen());
    QByteArrayList burst{"D\r"};
    for (int record = 0; record < Records; ++record)
        burst.append(CycleRecord(record % 1000) + '\r');

    QTest::qWait(200); // the panel drawn once, as it is before a test starts
    const qint64 residentBefore = ResidentBeforeGrowing();
    // Line by line, as a machine sends them, far faster than a tick a line.
    QVERIFY(port.Send(burst, std::chrono::microseconds(250), 300000));
    const qsizetype lines = burst.size() + 2;
    qInfo("memory per line of the burst while it waits: %.0f bytes (%lld lines)",
          double(ResidentBytes() - residentBefore) / lines, qlonglong(lines));

    for (qsizetype tick = 0; tick < lines; ++tick) {
        harness.panel->StatusTimerTimer();
        if (tick % 1000 == 0)
            QCoreApplication::sendPostedEvents(harness.panel->TestDataMemo, QEvent::MetaCall);
    }
    QCOMPARE(harness.panel->TestDataLines().size(), lines);
    qInfo("memory per collected line of the burst: %.0f bytes",
          double(ResidentBytes() - residentBefore) / lines);
}

void BenchControlPanel::chartPaintWithTenThousandPoints()
{
    QChartView* chart = Collected().panel->ControlChart;
    QBENCHMARK
    {
        chart->grab();
    }
}

// The panel on the device library over a pseudo-terminal that nobody writes to, polling for real.
void BenchControlPanel::processorUseWhileTheMachineIsSilent()
{
    collected_.reset();
    PanelHarness harness;
    MachinePort silentMachine(harness.start.Path(), harness.serial);
    QVERIFY(silentMachine.IsOpen());
    harness.panel->StatusTimer->start();

    constexpr int seconds = 5;
    const std::clock_t before = std::clock();
    QTest::qWait(seconds * 1000);
    const double used = double(std::clock() - before) / CLOCKS_PER_SEC;
    qInfo("processor use with the panel open and the machine silent: %.2f %% of one core",
          100.0 * used / seconds);

    harness.panel->StatusTimer->stop();
    SerialComm::PortClose(QStringLiteral("COM1"));
}

QTEST_MAIN(BenchControlPanel)
#include "bench_controlpanel.moc"
