#include "machineport.h"
#include "panelharness.h"

#include <QTest>

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
    MachinePort port(harness.start.Path(), harness.serial);
    QVERIFY(port.IsOpen());
    QStringList expected{"D", "QOR1000 Test Graph 1", "X,Y"};
    QByteArray burst = "D\r";
    for (int record = 0; record < 10000; ++record) {
        expected.append(QString::asprintf("%04d,%04d", record % 1600, record % 997));
        burst += expected.constLast().toLatin1() + '\r';
    }
    QVERIFY(port.Send({burst}, {}, 20000));

    for (qsizetype tick = 0; tick < expected.size(); ++tick)
        harness.panel->StatusTimerTimer();
    QCOMPARE(harness.panel->TestDataLines(), expected);
}

QTEST_MAIN(TestReceiveBurst)
#include "tst_receiveburst.moc"
