// What the control panel costs: one polling tick that takes a data record while a 10,000-record
// test runs, drawing the live chart at that size, and the processor time the panel takes while it
// is open and the machine says nothing.
#include "panelharness.h"

#include "config/settings.h"
#include "serial/serialcomm.h"

#include <QChartView>
#include <QElapsedTimer>
#include <QFile>
#include <QLineSeries>
#include <QTest>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

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
    PanelHarness harness;
    RunTest(harness, TestRecords);
    int next = TestRecords;
    QBENCHMARK
    {
        harness.Tick(Record(next++));
    }
}

void BenchControlPanel::chartPaintWithTenThousandPoints()
{
    PanelHarness harness;
    RunTest(harness, TestRecords);
    QChartView* chart = harness.panel->ControlChart;
    QBENCHMARK
    {
        chart->grab();
    }
}

// The panel on the device library over a pseudo-terminal that nobody writes to, polling for real.
void BenchControlPanel::processorUseWhileTheMachineIsSilent()
{
    PanelHarness harness;
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(grantpt(master) == 0 && unlockpt(master) == 0);
    QVERIFY(QFile::link(QString::fromLatin1(ptsname(master)),
                        harness.start.Path() + QStringLiteral("/COM1")));
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
    ::close(master);
}

QTEST_MAIN(BenchControlPanel)
#include "bench_controlpanel.moc"
