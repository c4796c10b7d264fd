#include "protocol/protocol.h"
#include "sim/machinemodel.h"

#include <QTest>

namespace {

constexpr int RecordInterval = 200; // at the default five records a second
constexpr int LongEnough = 120000;  // longer than any test or homing run

// Lets time pass in ticks of the given length and collects every line sent meanwhile.
QList<QByteArray> RunFor(MachineModel& machine, int milliseconds, int tick = 100)
{
    QList<QByteArray> lines;
    for (int elapsed = 0; elapsed < milliseconds; elapsed += tick) {
        machine.Advance(tick);
        lines += machine.TakeReplies();
    }
    return lines;
}

QList<QByteArray> Records(const QList<QByteArray>& lines)
{
    QList<QByteArray> records;
    for (const QByteArray& line : lines) {
        if (ClassifyReply(line) == ReplyKind::DataRecord)
            records << line;
    }
    return records;
}

int ForceOf(const QByteArray& record)
{
    return record.mid(5, 4).toInt();
}

int DisplacementOf(const QByteArray& record)
{
    return record.left(4).toInt();
}

} // namespace

class TestMachineModel : public QObject
{
    Q_OBJECT
private slots:
    void commandReplies_data();
    void commandReplies();
    void wholeTest_data();
    void wholeTest();
    void recordsFollowTheRate();
    void incrementalPauses();
    void incrementalPauseHolds();
    void stopInTheMiddleOfATest();
    void homingFromAPosition();
    void testAgainstTheLoadedSpecimen();
    void sameSeedSameLines();
    void scriptAnswersEachTest();
};

void TestMachineModel::commandReplies_data()
{
    QTest::addColumn<QList<QByteArray>>("reads"); // bytes as they arrive, read by read
    QTest::addColumn<QList<QByteArray>>("replies");
    QTest::addColumn<bool>("incremental");
    QTest::addColumn<int>("incrementalForce");

    using Lines = QList<QByteArray>;
    QTest::newRow("nothing") << Lines{} << Lines{} << false << 10;
    QTest::newRow("incremental setting in four writes")
        << Lines{"MI", "120", "\r", "I"} << Lines{"\r", "I\r"} << true << 120;
    QTest::newRow("incremental setting in one write")
        << Lines{"MI250\rI"} << Lines{"\r", "I\r"} << true << 250;
    QTest::newRow("incremental then continuous")
        << Lines{"MI30\rI", "C"} << Lines{"\r", "I\r", "C\r"} << false << 30;
    QTest::newRow("version") << Lines{"V"} << Lines{"V1.0\r"} << false << 10;
    QTest::newRow("stop while idle") << Lines{"S"} << Lines{"S\r"} << false << 10;
    QTest::newRow("home when at home") << Lines{"H"} << Lines{"H\r"} << false << 10;
    QTest::newRow("test starts") << Lines{"T"} << Lines{"D\r"} << false << 10;
    QTest::newRow("unknown bytes around a command")
        << Lines{"xyz?\n\r0", "C", "q"} << Lines{"C\r"} << false << 10;
    QTest::newRow("force without digits") << Lines{"MI\r"} << Lines{} << false << 10;
    QTest::newRow("force zero") << Lines{"MI0\r"} << Lines{} << false << 10;
    QTest::newRow("force with a letter") << Lines{"MI1x0\r"} << Lines{} << false << 10;
    QTest::newRow("force of five digits") << Lines{"MI12345\r"} << Lines{} << false << 10;
    QTest::newRow("M without I, then a command") << Lines{"MC"} << Lines{"C\r"} << false << 10;
    QTest::newRow("force cut short by a command")
        << Lines{"MI12V"} << Lines{"V1.0\r"} << false << 10;
}

void TestMachineModel::commandReplies()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QList<QByteArray>, replies);
    QFETCH(bool, incremental);
    QFETCH(int, incrementalForce);

    MachineModel machine;
    QList<QByteArray> sent;
    for (const QByteArray& bytes : reads) {
        machine.Receive(bytes);
        sent += machine.TakeReplies();
    }
    QCOMPARE(sent, replies);
    QCOMPARE(machine.IncrementalMode(), incremental);
    QCOMPARE(machine.IncrementalForce(), incrementalForce);
}

void TestMachineModel::wholeTest_data()
{
    QTest::addColumn<Specimen>("specimen");
    QTest::addColumn<int>("maxForce");
    QTest::addColumn<int>("travelLimit");
    QTest::addColumn<QByteArray>("endCode");

    QTest::newRow("spring reaches maximum force")
        << Specimen::Spring << 1000 << 1600 << QByteArray("TM\r");
    QTest::newRow("soft reaches travel limit")
        << Specimen::Soft << 1000 << 1600 << QByteArray("TL\r");
    QTest::newRow("yielding breaks") << Specimen::Yielding << 1000 << 1600 << QByteArray("TT\r");
    QTest::newRow("lower maximum force") << Specimen::Soft << 200 << 1600 << QByteArray("TM\r");
    QTest::newRow("shorter travel") << Specimen::Spring << 1000 << 255 << QByteArray("TL\r");
}

void TestMachineModel::wholeTest()
{
    QFETCH(Specimen, specimen);
    QFETCH(int, maxForce);
    QFETCH(int, travelLimit);
    QFETCH(QByteArray, endCode);

    MachineOptions options;
    options.specimen = specimen;
    options.maxForce = maxForce;
    options.travelLimit = travelLimit;
    MachineModel machine(options);
    machine.Receive("T");
    const QList<QByteArray> lines = machine.TakeReplies() + RunFor(machine, LongEnough);

    QCOMPARE(lines.first(), QByteArray("D\r"));
    QCOMPARE(lines.last(), endCode);
    const QList<QByteArray> records = Records(lines);
    QCOMPARE(records.size(), lines.size() - 2); // nothing else between start and end
    QVERIFY(records.size() > 10);
    for (qsizetype i = 0; i < records.size(); ++i) {
        const int expected = std::min<int>((i + 1) * MachineModel::StepCounts, travelLimit);
        QCOMPARE(DisplacementOf(records[i]), expected);
    }

    const QByteArray last = records.last();
    int peak = 0;
    for (const QByteArray& record : records.first(records.size() - 1)) {
        peak = std::max(peak, ForceOf(record));
        QVERIFY2(ForceOf(record) < maxForce, record);
    }
    if (endCode == "TM\r")
        QVERIFY(ForceOf(last) >= maxForce);
    else if (endCode == "TL\r")
        QCOMPARE(DisplacementOf(last), travelLimit);
    else
        QVERIFY(ForceOf(last) < peak / 2);
    QCOMPARE(machine.CurrentMotion(), MachineModel::Motion::Idle);
}

void TestMachineModel::recordsFollowTheRate()
{
    MachineOptions options;
    options.recordsPerSecond = 2;
    MachineModel machine(options);
    machine.Receive("T");
    machine.TakeReplies();
    machine.Advance(499);
    QVERIFY(machine.TakeReplies().isEmpty());
    machine.Advance(1);
    const QList<QByteArray> first = machine.TakeReplies();
    QCOMPARE(first.size(), 1);
    QCOMPARE(DisplacementOf(first.first()), 10);
    QVERIFY(std::abs(ForceOf(first.first()) - 25) <= MachineModel::NoisePounds);
    QCOMPARE(Records(RunFor(machine, 2000)).size(), 4);
}

void TestMachineModel::incrementalPauses()
{
    MachineModel machine;
    machine.Receive("MI100\rI");
    machine.Receive("T");
    machine.TakeReplies();
    const QList<QByteArray> lines = RunFor(machine, LongEnough);
    QCOMPARE(lines.last(), QByteArray("TM\r"));

    // "ID" follows exactly the records at which the force has risen by 100 since the last pause.
    int pauses = 0;
    int forceAtLastPause = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == "ID\r")
            continue;
        QCOMPARE(ClassifyReply(lines[i]), ReplyKind::DataRecord);
        const int rise = ForceOf(lines[i]) - forceAtLastPause;
        if (lines[i + 1] == "ID\r") {
            QVERIFY2(rise >= 100, lines[i]);
            forceAtLastPause = ForceOf(lines[i]);
            ++pauses;
        } else if (lines[i + 1] != "TM\r") {
            QVERIFY2(rise < 100, lines[i]);
        }
    }
    QVERIFY(pauses >= 8);
}

void TestMachineModel::incrementalPauseHolds()
{
    MachineOptions options;
    options.holdMilliseconds = 3000;
    MachineModel machine(options);
    machine.Receive("MI10\rIT");
    machine.TakeReplies();
    machine.Advance(RecordInterval);
    const QList<QByteArray> firstStep = machine.TakeReplies();
    QCOMPARE(firstStep.size(), 2); // the spring gains 25 pounds a step
    QCOMPARE(firstStep.last(), QByteArray("ID\r"));
    QCOMPARE(machine.CurrentMotion(), MachineModel::Motion::Holding);
    machine.Advance(options.holdMilliseconds + RecordInterval - 1);
    QVERIFY(machine.TakeReplies().isEmpty());
    machine.Advance(1);
    const QList<QByteArray> secondStep = machine.TakeReplies();
    QCOMPARE(secondStep.size(), 2);
    QCOMPARE(DisplacementOf(secondStep.first()), 2 * MachineModel::StepCounts);
}

void TestMachineModel::stopInTheMiddleOfATest()
{
    MachineModel machine;
    machine.Receive("T");
    const QList<QByteArray> lines = RunFor(machine, 1000);
    QCOMPARE(Records(lines).size(), 5);
    machine.Receive("S");
    QCOMPARE(machine.TakeReplies(), QList<QByteArray>{"S\r"});
    QVERIFY(RunFor(machine, 5000).isEmpty());
    QCOMPARE(machine.Position(), 50.0);
    QCOMPARE(machine.CurrentMotion(), MachineModel::Motion::Idle);
}

void TestMachineModel::homingFromAPosition()
{
    MachineOptions options;
    options.specimen = Specimen::Soft;
    MachineModel machine(options);
    machine.Receive("T");
    QCOMPARE(RunFor(machine, LongEnough).last(), QByteArray("TL\r"));
    QCOMPARE(machine.Position(), 1600.0);

    machine.Receive("H");
    QCOMPARE(machine.TakeReplies(), QList<QByteArray>{"U\r"});
    const int homingTime = 1600 * 1000 / MachineModel::HomingCountsPerSecond;
    QVERIFY(RunFor(machine, homingTime / 2).isEmpty());
    QCOMPARE(machine.Position(), 800.0);
    // A stop on the way keeps the crosshead where it is; homing again goes on from there.
    machine.Receive("S");
    QCOMPARE(machine.TakeReplies(), QList<QByteArray>{"S\r"});
    QVERIFY(RunFor(machine, homingTime).isEmpty());
    machine.Receive("H");
    QCOMPARE(machine.TakeReplies(), QList<QByteArray>{"U\r"});
    machine.Advance(homingTime / 2 - 1);
    QVERIFY(machine.TakeReplies().isEmpty());
    machine.Advance(1);
    QCOMPARE(machine.TakeReplies(), QList<QByteArray>{"H\r"});
    QCOMPARE(machine.Position(), 0.0);
    machine.Receive("H");
    QCOMPARE(machine.TakeReplies(), QList<QByteArray>{"H\r"});
}

void TestMachineModel::testAgainstTheLoadedSpecimen()
{
    // After "TM" the specimen is still loaded: a new test from there ends at its first record.
    MachineModel machine;
    machine.Receive("T");
    RunFor(machine, LongEnough);
    machine.Receive("T");
    const QList<QByteArray> lines = machine.TakeReplies() + RunFor(machine, RecordInterval);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.first(), QByteArray("D\r"));
    QVERIFY(ForceOf(lines[1]) >= 1000);
    QCOMPARE(lines.last(), QByteArray("TM\r"));
}

void TestMachineModel::sameSeedSameLines()
{
    const auto linesOfATest = [](quint32 seed) {
        MachineOptions options;
        options.specimen = Specimen::Yielding;
        options.seed = seed;
        MachineModel machine(options);
        machine.Receive("MI50\rIT");
        return machine.TakeReplies() + RunFor(machine, LongEnough, 37);
    };
    const QList<QByteArray> first = linesOfATest(7);
    QCOMPARE(linesOfATest(7), first);
    QVERIFY(linesOfATest(8) != first);
}

void TestMachineModel::scriptAnswersEachTest()
{
    MachineOptions options;
    options.script = {"D", "0010,0005", "", "XM"};
    MachineModel machine(options);
    const QList<QByteArray> played{"D\r", "0010,0005\r", "\r", "XM\r"};
    for (int run = 0; run < 2; ++run) {
        machine.Receive("T");
        QCOMPARE(machine.TakeReplies(), played.first(1));
        QCOMPARE(RunFor(machine, 3 * RecordInterval, RecordInterval), played.mid(1));
        QVERIFY(RunFor(machine, 1000).isEmpty());
    }
}

QTEST_APPLESS_MAIN(TestMachineModel)
#include "tst_machinemodel.moc"
