// What the control panel costs: one polling tick that takes a data record while a 10,000-record
// test runs, drawing the live chart at that size, and the processor time the panel takes while it
// is open and the machine says nothing.
#include "panelharness.h"
#include "pseudoterminal.h"

#include "config/settings.h"
#include "serial/serialcomm.h"

#include <QChartView>
#include <QElapsedTimer>
#include <QFile>
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
    QCOMPARE(harness.panel->Series1->count(), TestRecords);
}

void BenchControlPanel::tickWithTenThousandRecordsCollected()
{
    PanelHarness& harness = Collected();
    int next = harness.panel->Series1->count();
    QBENCHMARK
    {
        harness.Tick(Record(next++));
    }
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
