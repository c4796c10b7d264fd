#include "protocol/protocol.h"
#include "serial/serialcomm.h"
#include "sim/simulatedseriallibrary.h"
#include "temporarystartdirectory.h"

#include <QTest>

namespace {

constexpr int PollingTick = 100;
constexpr int MostTicks = 2000;

// Polls like the control panel: one PortReceiveCR per tick, the machine's clock advanced by a
// tick in between. Stops after the line that satisfies done, or after MostTicks ticks.
template <typename Done> QList<QByteArray> Poll(SimulatedSerialLibrary& library, Done done)
{
    QList<QByteArray> lines;
    for (int tick = 0; tick < MostTicks; ++tick) {
        QByteArray line;
        if (SerialComm::PortReceiveCR(QStringLiteral("COM1"), line) > 0) {
            lines << line;
            if (done(line))
                break;
        }
        library.Advance(PollingTick);
    }
    return lines;
}

bool EndsTest(const QByteArray& line)
{
    return line == "TM\r" || line == "TL\r" || line == "TT\r";
}

void Send(const QByteArray& text)
{
    SerialComm::PortSend(QStringLiteral("COM1"), text);
}

} // namespace

class TestSimulatedTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wholeTestThroughSerialComm_data();
    void wholeTestThroughSerialComm();
    void stopAndHomeThroughSerialComm();

private:
    // Links COM1 to a simulated machine and opens it at 9600 8N1.
    void OpenMachine(const MachineOptions& options = {});

    std::unique_ptr<TemporaryStartDirectory> start_;
    std::unique_ptr<SimulatedSerialLibrary> library_;
};

void TestSimulatedTest::init()
{
    start_ = std::make_unique<TemporaryStartDirectory>();
}

void TestSimulatedTest::cleanup()
{
    InstallSerialLibrary(nullptr);
    library_.reset();
    start_.reset();
}

void TestSimulatedTest::OpenMachine(const MachineOptions& options)
{
    library_ = std::make_unique<SimulatedSerialLibrary>(options);
    InstallSerialLibrary(library_.get());
    QCOMPARE(SerialComm::PortInit(QStringLiteral("COM1"), QStringLiteral("Baud9600"),
                                  QStringLiteral("NoParity"), QStringLiteral("OneStopBit"),
                                  QStringLiteral("WordLength8")),
             0);
}

void TestSimulatedTest::wholeTestThroughSerialComm_data()
{
    QTest::addColumn<Specimen>("specimen");
    QTest::addColumn<int>("incrementalForce"); // 0: continuous
    QTest::addColumn<QByteArray>("endCode");

    QTest::newRow("spring, continuous") << Specimen::Spring << 0 << QByteArray("TM\r");
    QTest::newRow("spring, incremental 120") << Specimen::Spring << 120 << QByteArray("TM\r");
    QTest::newRow("yielding") << Specimen::Yielding << 0 << QByteArray("TT\r");
    QTest::newRow("soft, incremental 50") << Specimen::Soft << 50 << QByteArray("TL\r");
}

void TestSimulatedTest::wholeTestThroughSerialComm()
{
    QFETCH(Specimen, specimen);
    QFETCH(int, incrementalForce);
    QFETCH(QByteArray, endCode);

    MachineOptions options;
    options.specimen = specimen;
    OpenMachine(options);

    QList<QByteArray> expectedStart;
    if (incrementalForce > 0) {
        for (const QByteArray& write : IncrementalSettingWrites(incrementalForce))
            Send(write);
        expectedStart = {"\r", "I\r", "D\r"};
    } else {
        Send(QorCommand::Continuous);
        expectedStart = {"C\r", "D\r"};
    }
    Send(QorCommand::Test);
    const QList<QByteArray> lines = Poll(*library_, EndsTest);

    QCOMPARE(lines.first(expectedStart.size()), expectedStart);
    QCOMPARE(lines.last(), endCode);
    int pauses = 0;
    double lastDisplacement = 0;
    for (const QByteArray& line :
         lines.mid(expectedStart.size(), lines.size() - expectedStart.size() - 1)) {
        if (line == "ID\r") {
            ++pauses;
            continue;
        }
        QCOMPARE(ClassifyReply(line), ReplyKind::DataRecord);
        const DecodedRecord record = DecodeDataRecord(line, 0.001, 1.0);
        QVERIFY(record.displacement > lastDisplacement);
        lastDisplacement = record.displacement;
    }
    QCOMPARE(pauses > 0, incrementalForce > 0);

    // Polling once a tick keeps pace with the machine: nothing is left waiting.
    QByteArray rest;
    QCOMPARE(SerialComm::PortReceiveCR(QStringLiteral("COM1"), rest), 0);
}

void TestSimulatedTest::stopAndHomeThroughSerialComm()
{
    OpenMachine();
    Send(QorCommand::Test);
    int records = 0;
    Poll(*library_, [&](const QByteArray& line) {
        return ClassifyReply(line) == ReplyKind::DataRecord && ++records == 10;
    });
    Send(QorCommand::Stop);
    QCOMPARE(Poll(*library_, [](const QByteArray&) { return true; }), QList<QByteArray>{"S\r"});
    Send(QorCommand::Home);
    const QList<QByteArray> homing =
        Poll(*library_, [](const QByteArray& line) { return line == "H\r"; });
    QCOMPARE(homing, (QList<QByteArray>{"U\r", "H\r"}));
    QCOMPARE(library_->Machine().Position(), 0.0);
}

QTEST_GUILESS_MAIN(TestSimulatedTest)
#include "tst_simulatedtest.moc"
