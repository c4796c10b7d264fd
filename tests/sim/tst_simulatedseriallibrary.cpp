#include "sim/simulatedseriallibrary.h"

#include <QTest>

namespace {

constexpr int Com1 = 0;

QByteArray ReadAll(SimulatedSerialLibrary& library)
{
    QByteArray bytes;
    char byte = 0;
    while (library.ReadByte(Com1, &byte, 1) == 1)
        bytes += byte;
    return bytes;
}

void OpenAt9600(SimulatedSerialLibrary& library)
{
    QCOMPARE(library.Open(Com1, 2000, 2000), 0);
    QCOMPARE(library.SetBaud(Com1, 5), 0);
    QCOMPARE(library.SetLineFormat(Com1, 0, 0, 8), 0);
    QCOMPARE(library.ControlLine(Com1, 'S'), 0);
    QCOMPARE(library.ControlLine(Com1, 'R'), 1);
}

} // namespace

class TestSimulatedSerialLibrary : public QObject
{
    Q_OBJECT
private slots:
    void refusedCalls_data();
    void refusedCalls();
    void controlLineReadsBackAfterSet();
    void writesReachTheMachineAndRepliesComeBack();
    void nothingArrivesWhileClosed();
};

void TestSimulatedSerialLibrary::refusedCalls_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("result");

    QTest::newRow("closed port") << false << Com1 << int(SimulatedSerialLibrary::PortNotOpen);
    QTest::newRow("another port") << true << 1 << int(SimulatedSerialLibrary::NoSuchPort);
}

void TestSimulatedSerialLibrary::refusedCalls()
{
    QFETCH(bool, open);
    QFETCH(int, port);
    QFETCH(int, result);

    SimulatedSerialLibrary library;
    if (open)
        OpenAt9600(library);
    char byte = 0;
    QCOMPARE(library.SetBaud(port, 5), result);
    QCOMPARE(library.SetLineFormat(port, 0, 0, 8), result);
    QCOMPARE(library.ControlLine(port, 'R'), result);
    QCOMPARE(library.PrepareSend(port), result);
    QCOMPARE(library.Write(port, "T", 1), result);
    QCOMPARE(library.BytesWaitingToGo(port), result);
    QCOMPARE(library.ReadByte(port, &byte, 1), result);
    QCOMPARE(library.Close(port), result);
    QCOMPARE(library.Machine().CurrentMotion(), MachineModel::Motion::Idle);
}

void TestSimulatedSerialLibrary::controlLineReadsBackAfterSet()
{
    SimulatedSerialLibrary library;
    QCOMPARE(library.Open(Com1, 2000, 2000), 0);
    QCOMPARE(library.ControlLine(Com1, 'R'), 0);
    QCOMPARE(library.ControlLine(Com1, 'S'), 0);
    QCOMPARE(library.ControlLine(Com1, 'R'), 1);
    QCOMPARE(library.ControlLine(Com1, 'X'), int(SimulatedSerialLibrary::BadArgument));
}

void TestSimulatedSerialLibrary::writesReachTheMachineAndRepliesComeBack()
{
    SimulatedSerialLibrary library;
    OpenAt9600(library);
    QCOMPARE(library.PrepareSend(Com1), 0);
    QCOMPARE(library.Write(Com1, "MI120", 5), 5);
    QCOMPARE(library.Write(Com1, "\r", 1), 1);
    QCOMPARE(library.Write(Com1, "IV", 2), 2);
    QCOMPARE(library.BytesWaitingToGo(Com1), 0);
    QCOMPARE(ReadAll(library), QByteArray("\rI\rV1.0\r"));
    QCOMPARE(library.Machine().IncrementalForce(), 120);
}

void TestSimulatedSerialLibrary::nothingArrivesWhileClosed()
{
    SimulatedSerialLibrary library;
    OpenAt9600(library);
    library.Write(Com1, "T", 1);
    library.Advance(1000);
    QCOMPARE(library.Close(Com1), 0);
    library.Advance(1000);
    OpenAt9600(library);
    QCOMPARE(ReadAll(library), QByteArray());
    library.Advance(200);
    QVERIFY(ReadAll(library).startsWith("0110,"));
}

QTEST_APPLESS_MAIN(TestSimulatedSerialLibrary)
#include "tst_simulatedseriallibrary.moc"
