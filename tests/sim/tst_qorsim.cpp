#include "protocol/protocol.h"
#include "serial/serialcomm.h"
#include "temporarystartdirectory.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

constexpr int StartTimeout = 10000;
constexpr int ExchangeTimeout = 20000;
const QString Com1 = QStringLiteral("COM1");

// qor-sim in a temporary directory, stopped at the end of the test if still running.
class SimProcess
{
public:
    explicit SimProcess(const QStringList& arguments)
    {
        process_.start(QStringLiteral(QOR_SIM_PATH), arguments);
    }
    ~SimProcess()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    // Waits for the line that says the link is in place.
    bool WaitUntilServing()
    {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(StartTimeout))
                return false;
        }
        return process_.readLine().startsWith("qor-sim: serving");
    }
    QProcess& Process() { return process_; }

private:
    QProcess process_;
};

// Polls the port like the control panel until the line that satisfies done has arrived.
template <typename Done> QList<QByteArray> ReceiveUntil(Done done)
{
    QList<QByteArray> lines;
    const QDeadlineTimer deadline(ExchangeTimeout);
    while (!deadline.hasExpired()) {
        QByteArray line;
        if (SerialComm::PortReceiveCR(Com1, line) == 0) {
            QTest::qWait(10);
            continue;
        }
        lines << line;
        if (done(line))
            break;
    }
    return lines;
}

int OpenCom1()
{
    return SerialComm::PortInit(Com1, QStringLiteral("Baud9600"), QStringLiteral("NoParity"),
                                QStringLiteral("OneStopBit"), QStringLiteral("WordLength8"));
}

QList<QByteArray> ReceiveLines(int count)
{
    return ReceiveUntil([&count](const QByteArray&) { return --count == 0; });
}

} // namespace

class TestQorSim : public QObject
{
    Q_OBJECT
private slots:
    void helpDocumentsEveryOption();
    void badOptions_data();
    void badOptions();
    void linkLivesAsLongAsTheServer_data();
    void linkLivesAsLongAsTheServer();
    void staleLinkIsReplaced();
    void existingFileIsLeftAlone();
    void wholeTestThroughThePseudoTerminal();
    void scriptPlayedThroughThePseudoTerminal_data();
    void scriptPlayedThroughThePseudoTerminal();

private:
    QTemporaryDir dir_;
};

void TestQorSim::helpDocumentsEveryOption()
{
    QProcess process;
    process.start(QStringLiteral(QOR_SIM_PATH), {QStringLiteral("--help")});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    const QByteArray help = process.readAllStandardOutput();
    for (const char* option :
         {"--dir <dir>", "--port <name>", "--specimen <kind>", "--rate <records>",
          "--max-force <pounds>", "--travel <counts>", "--seed <number>", "--script <file>"})
        QVERIFY2(help.contains(option), option);
    for (const char* specimen : {"spring", "yielding", "soft"})
        QVERIFY2(help.contains(specimen), specimen);
}

void TestQorSim::badOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QFile empty(dir_.filePath(QStringLiteral("empty.txt")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    const QString missing = dir_.filePath(QStringLiteral("missing"));

    QTest::newRow("unknown specimen")
        << QStringList{"--specimen", "steel"}
        << "qor-sim: --specimen must be one of: spring, yielding, soft";
    QTest::newRow("rate zero") << QStringList{"--rate", "0"}
                               << "qor-sim: --rate must be a number above 0 and at most 100";
    QTest::newRow("rate not a number")
        << QStringList{"--rate", "fast"}
        << "qor-sim: --rate must be a number above 0 and at most 100";
    QTest::newRow("max force too large")
        << QStringList{"--max-force", "10000"}
        << "qor-sim: --max-force must be a whole number from 1 to 9999";
    QTest::newRow("negative travel") << QStringList{"--travel", "-5"}
                                     << "qor-sim: --travel must be a whole number from 1 to 9999";
    QTest::newRow("seed not a number")
        << QStringList{"--seed", "x"}
        << "qor-sim: --seed must be a whole number from 0 to 4294967295";
    QTest::newRow("script missing")
        << QStringList{"--script", missing} << "qor-sim: cannot read " + missing;
    QTest::newRow("script empty") << QStringList{"--script", empty.fileName()}
                                  << "qor-sim: " + empty.fileName() + " holds no lines";
    QTest::newRow("port with a slash")
        << QStringList{"--port", "x/COM1"} << "qor-sim: --port must be a file name such as COM1";
    QTest::newRow("missing directory")
        << QStringList{"--dir", missing} << "qor-sim: --dir " + missing + " does not exist";
    QTest::newRow("stray argument") << QStringList{"COM1"} << "qor-sim: unexpected argument 'COM1'";
}

void TestQorSim::badOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    QTemporaryDir linkDir;
    QProcess process;
    process.start(QStringLiteral(QOR_SIM_PATH), QStringList{"--dir", linkDir.path()} + arguments);
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 1);
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(error.startsWith(message), qPrintable(error));
    QVERIFY(!QFileInfo(linkDir.filePath(QStringLiteral("COM1"))).isSymLink());
}

void TestQorSim::linkLivesAsLongAsTheServer_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
}

void TestQorSim::linkLivesAsLongAsTheServer()
{
    QFETCH(int, signalNumber);

    const QString link = dir_.filePath(QStringLiteral("COM3"));
    SimProcess sim({"--dir", dir_.path(), "--port", "COM3"});
    QVERIFY(sim.WaitUntilServing());
    const QFileInfo info(link);
    QVERIFY(info.isSymLink());
    QVERIFY(info.symLinkTarget().startsWith(QStringLiteral("/dev/pts/")));
    QVERIFY(info.exists());

    ::kill(sim.Process().processId(), signalNumber);
    QVERIFY(sim.Process().waitForFinished());
    QCOMPARE(sim.Process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.Process().exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestQorSim::staleLinkIsReplaced()
{
    const QString link = dir_.filePath(QStringLiteral("COM1"));
    QVERIFY(QFile::link(dir_.filePath(QStringLiteral("gone")), link));
    SimProcess sim({"--dir", dir_.path()});
    QVERIFY(sim.WaitUntilServing());
    QVERIFY(QFileInfo(link).symLinkTarget().startsWith(QStringLiteral("/dev/pts/")));
}

void TestQorSim::existingFileIsLeftAlone()
{
    const QString path = dir_.filePath(QStringLiteral("COM2"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();

    QProcess process;
    process.start(QStringLiteral(QOR_SIM_PATH), {"--dir", dir_.path(), "--port", "COM2"});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains("already exists"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("keep"));
}

void TestQorSim::wholeTestThroughThePseudoTerminal()
{
    TemporaryStartDirectory start;
    SimProcess sim({"--dir", start.Path(), "--max-force", "300", "--rate", "50"});
    QVERIFY(sim.WaitUntilServing());
    QCOMPARE(OpenCom1(), 0);

    SerialComm::PortSend(Com1, QorCommand::Version);
    QCOMPARE(ReceiveLines(1), QList<QByteArray>{"V1.0\r"});
    for (const QByteArray& write : IncrementalSettingWrites(100))
        SerialComm::PortSend(Com1, write);
    QCOMPARE(ReceiveLines(2), (QList<QByteArray>{"\r", "I\r"}));

    SerialComm::PortSend(Com1, QorCommand::Test);
    const QList<QByteArray> test =
        ReceiveUntil([](const QByteArray& line) { return line.startsWith('T'); });
    QVERIFY(test.size() > 3);
    QCOMPARE(test.first(), QByteArray("D\r"));
    QCOMPARE(test.last(), QByteArray("TM\r"));
    QCOMPARE(test.count("ID\r"), 2); // at 100 and 200 pounds on the way to 300
    QVERIFY(ClassifyReply(test[test.size() - 2]) == ReplyKind::DataRecord);
    QVERIFY(DecodeDataRecord(test[test.size() - 2], 0.001, 1.0).force >= 300);

    SerialComm::PortSend(Com1, QorCommand::Home);
    QCOMPARE(ReceiveLines(2), (QList<QByteArray>{"U\r", "H\r"}));

    SerialComm::PortClose(Com1);
}

void TestQorSim::scriptPlayedThroughThePseudoTerminal_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QList<QByteArray>>("lines"); // as the program receives them

    QTest::newRow("replies of every kind") << QByteArray("D\r\n0010,0005\r\n\r\nXM\r\n")
                                           << QList<QByteArray>{"D\r", "0010,0005\r", "\r", "XM\r"};
    // Far more than the terminal holds at once: the record after the dropped line still comes.
    QTest::newRow("a reply longer than the terminal holds")
        << "D\n" + QByteArray(100000, 'x') + "\n0010,0005\nTT\n"
        << QList<QByteArray>{"D\r", "0010,0005\r", "TT\r"};
}

void TestQorSim::scriptPlayedThroughThePseudoTerminal()
{
    QFETCH(QByteArray, script);
    QFETCH(QList<QByteArray>, lines);

    TemporaryStartDirectory start;
    start.WriteFile(QStringLiteral("replies.txt"), script);
    SimProcess sim({"--dir", start.Path(), "--rate", "50", "--script",
                    start.Path() + QStringLiteral("/replies.txt")});
    QVERIFY(sim.WaitUntilServing());
    QCOMPARE(OpenCom1(), 0);
    SerialComm::PortSend(Com1, QorCommand::Test);
    QCOMPARE(ReceiveLines(int(lines.size())), lines);
    SerialComm::PortClose(Com1);
}

QTEST_GUILESS_MAIN(TestQorSim)
#include "tst_qorsim.moc"
