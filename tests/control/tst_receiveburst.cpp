#include "panelharness.h"
#include "pseudoterminal.h"

#include "serial/devicelibrary.h"
#include "serial/serialcomm.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>

#include <atomic>
#include <thread>

class TestReceiveBurst : public QObject
{
    Q_OBJECT
private slots:
    void burstFasterThanTheTicksReachesTheTableWhole();
};

// The machine sends a test of 10,000 records at once, through a real port, while the panel takes
// one line a tick: the port takes the burst in as it arrives, and the ticks find every line of it,
// in order.
void TestReceiveBurst::burstFasterThanTheTicksReachesTheTableWhole()
{
    PanelHarness harness;
    PseudoTerminal machine;
    QVERIFY(machine.IsOpen());
    QVERIFY(QFile::link(machine.DevicePath(), harness.start.Path() + QStringLiteral("/COM1")));
    DeviceSerialLibrary device;
    InstallSerialLibrary(&device);
    // The panel, closed last, goes on sending to the scripted library.
    const auto restore = qScopeGuard([&] { InstallSerialLibrary(&harness.serial); });
    QVERIFY(SerialComm::OpenMachinePort(QStringLiteral("COM1")));

    QStringList expected{"D", "QOR1000 Test Graph 1", "X,Y"};
    QByteArray burst = "D\r";
    for (int record = 0; record < 10000; ++record) {
        expected.append(QString::asprintf("%04d,%04d", record % 1600, record % 997));
        burst += expected.constLast().toLatin1() + '\r';
    }
    // The terminal holds a few kilobytes: the machine's side waits until the port takes them.
    std::atomic<bool> sent = false;
    std::thread machineSends([&] {
        machine.Send(burst);
        sent = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(sent, 20000);
    machineSends.join();

    for (qsizetype tick = 0; tick < expected.size(); ++tick)
        harness.panel->StatusTimerTimer();
    QCOMPARE(harness.panel->TestDataLines(), expected);
}

QTEST_MAIN(TestReceiveBurst)
#include "tst_receiveburst.moc"
