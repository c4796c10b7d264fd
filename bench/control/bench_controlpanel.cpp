// What the control panel costs: one polling tick that takes a data record while a 10,000-record
// test runs, the ticks of a repeat series of 100 cycles of 1,000 records and the memory each
// collected line takes, drawing the live chart, and the processor time the panel takes while it
// is open and the machine says nothing.
#include "modalanswers.h"
#include "panelharness.h"
#include "pseudoterminal.h"

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
#include <QTest>
#include <QTimer>

#include <ctime>
#include <memory>

namespace {

constexpr int TestRecords = 10000;

QByteArray Record(int index)
{
    const int displacement = index % 10000;
    const int force = (index * 7) % 10000;
    return QByteArray::number(displacement).rightJustified(4, '0') + ',' +
           QByteArray::number(force).rightJustified(4, '0');
}

void RunTest(PanelHarness& harness, int records)
{
    harness.panel->TestButton->click();
    harness.Tick("D");
    for (int i = 0; i < records; ++i)
        harness.Tick(Record(i));
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
        harness.Tick(Record(next++));
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

    const qint64 residentBefore = ResidentBytes();
    QElapsedTimer clock;
    // Timed by hand: a benchmark macro would run the whole series twice.
    clock.start();
    for (int cycle = 0; cycle < Cycles; ++cycle) {
        harness.Tick("D");
        for (int i = 0; i < RecordsPerCycle; ++i)
            harness.Tick(Record(i));
        harness.Tick("TM");
        if (cycle + 1 < Cycles)
            harness.Tick("H");
        harness.TakeWrites(); // the scripted library's record of calls is not the panel's
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

    constexpr int Paints = 5;
    clock.restart();
    for (int paint = 0; paint < Paints; ++paint)
        panel.ControlChart->grab();
    qInfo("drawing the live chart with %d points: %.1f ms", Cycles * RecordsPerCycle,
          clock.nsecsElapsed() / 1e6 / Paints);

    ModalAnswers answers({[](QWidget* prompt) { prompt->close(); }});
    QTRY_VERIFY(answers.AllAnswered());
    ActOperatorEntryBox = nullptr;
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
    PseudoTerminal silentMachine;
    QVERIFY(silentMachine.IsOpen());
    QVERIFY(
        QFile::link(silentMachine.DevicePath(), harness.start.Path() + QStringLiteral("/COM1")));
    InstallSerialLibrary(nullptr);
    SerialComm::PortInit(QStringLiteral("COM1"), QStringLiteral("Baud9600"),
                         QStringLiteral("NoParity"), QStringLiteral("OneStopBit"),
                         QStringLiteral("WordLength8"));
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
