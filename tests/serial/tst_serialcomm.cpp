#include "logfile.h"
#include "scriptedseriallibrary.h"
#include "serial/serialcomm.h"
#include "temporarystartdirectory.h"

#include <QDir>
#include <QTest>
#include <functional>
#include <memory>

using Call = ScriptedSerialLibrary::Call;
using Library = ScriptedSerialLibrary;

namespace {

const QString SerialLog = QStringLiteral("errors/serial.errors.txt");
const QByteArray Untouched = "untouched";
const QStringList Plain{"Baud9600", "NoParity", "OneStopBit", "WordLength8"};

// What an operation threw: 0 when it returned.
int Raised(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (int code) {
        return code;
    }
    return 0;
}

// Runs one of the four operations by name; bytes holds what is sent or receives the line.
int RunOperation(const QString& operation, const QString& port, QByteArray& bytes,
                 const QStringList& settings = Plain)
{
    if (operation == QLatin1String("PortInit"))
        return SerialComm::PortInit(port, settings[0], settings[1], settings[2], settings[3]);
    if (operation == QLatin1String("PortSend"))
        return SerialComm::PortSend(port, bytes);
    if (operation == QLatin1String("PortReceiveCR"))
        return SerialComm::PortReceiveCR(port, bytes);
    return SerialComm::PortClose(port);
}

QByteArray CaughtLine(const QString& operation, const QByteArray& message)
{
    return "<stamp>, SerialComm::" + operation.toLatin1() + " caught error: " + message + "\r\n";
}

// One call of an operation on COM1, failing with result through the library call ordinal, or
// succeeding (result 0).
struct Step
{
    QString operation;
    int result = 0;
    int ordinal = 0;
};

const Step Read{"PortReceiveCR"};
const Step ReadFails{"PortReceiveCR", -5, Library::ReadByteOrdinal};
const Step ReadFailsOtherwise{"PortReceiveCR", -6, Library::ReadByteOrdinal};
const Step SendFails{"PortSend", -5, Library::WriteOrdinal};
const Step Init{"PortInit"};
const Step Close{"PortClose"};
const QByteArray ReadFailure = CaughtLine(QStringLiteral("PortReceiveCR"), "-5, COM1, ");

// The line that ends a run of repeated read failures.
QByteArray RunCountLine(const QByteArray& times, const QByteArray& code)
{
    return "<stamp>, SerialComm::PortReceiveCR caught the same error " + times + ": " + code +
           ", COM1, \r\n";
}

} // namespace

class TestSerialComm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void badPortName_data();
    void badPortName();
    void badSettings_data();
    void badSettings();
    void callsInOrder_data();
    void callsInOrder();
    void libraryFailures_data();
    void libraryFailures();
    void sendWaitsUntilDrained();
    void drainBound_data();
    void drainBound();
    void receivedLines_data();
    void receivedLines();
    void overlongLineDropped();
    void logCannotBeOpened_data();
    void logCannotBeOpened();
    void failureRuns_data();
    void failureRuns();
    void runCountedInItsOwnLog();
    void lineKeptWhenTheCountCannotBeWritten();
    void halfLineForgotten_data();
    void halfLineForgotten();

private:
    // Runs the steps in order on COM1; a send sends "S".
    void Run(const QList<Step>& steps);

    std::unique_ptr<TemporaryStartDirectory> start_;
    std::unique_ptr<Library> library_;
};

void TestSerialComm::init()
{
    start_ = std::make_unique<TemporaryStartDirectory>();
    library_ = std::make_unique<Library>();
    InstallSerialLibrary(library_.get());
}

void TestSerialComm::cleanup()
{
    // A carriage return ends whatever a test left pending, so the next test starts clean.
    Library flush;
    flush.Receive("\r");
    InstallSerialLibrary(&flush);
    QByteArray line;
    SerialComm::PortReceiveCR(QStringLiteral("COM1"), line);
    InstallSerialLibrary(nullptr);
    SerialComm::UseDrainClock({});
    library_.reset();
    start_.reset();
}

void TestSerialComm::badPortName_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("open lower case") << "PortInit"
                                     << "com1" << QByteArray("-1201, com1");
    QTest::newRow("open COM9") << "PortInit"
                               << "COM9" << QByteArray("-1201, COM9");
    QTest::newRow("open with a trailing space") << "PortInit"
                                                << "COM1 " << QByteArray("-1201, COM1 ");
    QTest::newRow("send adds the text") << "PortSend"
                                        << "COM0" << QByteArray("-1201, COM0, H\r");
    QTest::newRow("receive adds the pending line") << "PortReceiveCR"
                                                   << "COM10" << QByteArray("-1201, COM10, ");
    QTest::newRow("close empty name") << "PortClose"
                                      << "" << QByteArray("-1201, ");
}

void TestSerialComm::badPortName()
{
    QFETCH(QString, operation);
    QFETCH(QString, port);
    QFETCH(QByteArray, message);

    QByteArray bytes = operation == QLatin1String("PortSend") ? "H\r" : Untouched;
    QCOMPARE(Raised([&] { RunOperation(operation, port, bytes); }), -1201);
    QCOMPARE(LogWithoutStamps(SerialLog), CaughtLine(operation, message));
    QVERIFY(library_->calls.isEmpty());
}

void TestSerialComm::badSettings_data()
{
    QTest::addColumn<QStringList>("settings"); // baud, parity, stop bits, word length
    QTest::addColumn<int>("code");

    QTest::newRow("baud unknown") << QStringList{"Baud9601", "NoParity", "OneStopBit",
                                                 "WordLength8"}
                                  << -1202;
    QTest::newRow("baud in lower case")
        << QStringList{"baud9600", "NoParity", "OneStopBit", "WordLength8"} << -1202;
    QTest::newRow("parity bad, baud good")
        << QStringList{"Baud9600", "Noparity", "OneStopBit", "WordLength8"} << -1203;
    QTest::newRow("stop bits bad")
        << QStringList{"Baud9600", "NoParity", "OneAndHalfStopBits", "WordLength8"} << -1204;
    QTest::newRow("word length bad")
        << QStringList{"Baud9600", "NoParity", "OneStopBit", "WordLength6"} << -1205;
    QTest::newRow("first bad text wins")
        << QStringList{"Baud9600", "NoParity", "TwoStopBit", "WordLength9"} << -1204;
}

void TestSerialComm::badSettings()
{
    QFETCH(QStringList, settings);
    QFETCH(int, code);

    QByteArray bytes;
    QCOMPARE(Raised([&] {
                 RunOperation(QStringLiteral("PortInit"), QStringLiteral("COM2"), bytes, settings);
             }),
             code);
    QCOMPARE(LogWithoutStamps(SerialLog),
             CaughtLine(QStringLiteral("PortInit"), QByteArray::number(code) + ", COM2"));
    QVERIFY(library_->calls.isEmpty());
}

void TestSerialComm::callsInOrder_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<Call>>("calls");

    auto opening = [](int index, int baud, int parity, int stop, int word) {
        return QList<Call>{{17, {index, 2000, 2000}, {}},
                           {1, {index, baud}, {}},
                           {13, {index, parity, stop, word}, {}},
                           {8, {index, 'S'}, {}},
                           {8, {index, 'R'}, {}}};
    };

    QTest::newRow("open COM1 9600 8N1")
        << "PortInit"
        << "COM1" << Plain << QByteArray() << 0 << opening(0, 5, 0, 0, 8);
    QTest::newRow("open COM8 1200 odd")
        << "PortInit"
        << "COM8" << QStringList{"Baud1200", "OddParity", "OneStopBit", "WordLength8"}
        << QByteArray() << 0 << opening(7, 2, 1, 0, 8);
    QTest::newRow("open 115200 even two stop bits seven")
        << "PortInit"
        << "COM3" << QStringList{"Baud115200", "EvenParity", "TwoStopBits", "WordLength7"}
        << QByteArray() << 0 << opening(2, 9, 2, 2, 7);
    QTest::newRow("send") << "PortSend"
                          << "COM4" << Plain << QByteArray("H\r") << 2
                          << QList<Call>{{20, {3}, {}}, {15, {3, 2}, "H\r"}, {25, {3}, {}}};
    QTest::newRow("send empty text") << "PortSend"
                                     << "COM1" << Plain << QByteArray() << 0
                                     << QList<Call>{{20, {0}, {}}, {15, {0, 0}, {}}, {25, {0}, {}}};
    QTest::newRow("close") << "PortClose"
                           << "COM6" << Plain << QByteArray() << 0 << QList<Call>{{6, {5}, {}}};
}

void TestSerialComm::callsInOrder()
{
    QFETCH(QString, operation);
    QFETCH(QString, port);
    QFETCH(QStringList, settings);
    QFETCH(QByteArray, text);
    QFETCH(int, result);
    QFETCH(QList<Call>, calls);

    QCOMPARE(RunOperation(operation, port, text, settings), result);
    QCOMPARE(library_->calls, calls);
    QVERIFY(!QFile::exists(SerialLog));
}

void TestSerialComm::libraryFailures_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("ordinal");
    QTest::addColumn<QList<int>>("results");
    QTest::addColumn<int>("code");
    QTest::addColumn<QList<int>>("ordinalsCalled");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("open refused") << "PortInit" << 17 << QList<int>{-7} << -7 << QList<int>{17}
                                  << QByteArray("-7, COM1");
    QTest::newRow("baud refused, port left open")
        << "PortInit" << 1 << QList<int>{-2} << -2 << QList<int>{17, 1} << QByteArray("-2, COM1");
    QTest::newRow("line format refused") << "PortInit" << 13 << QList<int>{-3} << -3
                                         << QList<int>{17, 1, 13} << QByteArray("-3, COM1");
    QTest::newRow("control line reads back 0")
        << "PortInit" << 8 << QList<int>{0, 0} << -1206 << QList<int>{17, 1, 13, 8, 8}
        << QByteArray("-1206, COM1");
    QTest::newRow("not ready to send") << "PortSend" << 20 << QList<int>{-4} << -4 << QList<int>{20}
                                       << QByteArray("-4, COM1, S\r");
    QTest::newRow("write refused") << "PortSend" << 15 << QList<int>{-6} << -6 << QList<int>{20, 15}
                                   << QByteArray("-6, COM1, S\r");
    QTest::newRow("transmit state unknown")
        << "PortSend" << 25 << QList<int>{3, -8} << -8 << QList<int>{20, 15, 25, 25}
        << QByteArray("-8, COM1, S\r");
    QTest::newRow("read fails after two bytes")
        << "PortReceiveCR" << 11 << QList<int>{1, 1, -9} << -9 << QList<int>{11, 11, 11}
        << QByteArray("-9, COM1, 12");
    QTest::newRow("close refused")
        << "PortClose" << 6 << QList<int>{-10} << -10 << QList<int>{6} << QByteArray("-10, COM1");
}

void TestSerialComm::libraryFailures()
{
    QFETCH(QString, operation);
    QFETCH(int, ordinal);
    QFETCH(QList<int>, results);
    QFETCH(int, code);
    QFETCH(QList<int>, ordinalsCalled);
    QFETCH(QByteArray, message);

    library_->Script(ordinal, results);
    library_->Receive("12");
    QByteArray bytes = operation == QLatin1String("PortSend") ? "S\r" : Untouched;
    QCOMPARE(Raised([&] { RunOperation(operation, QStringLiteral("COM1"), bytes); }), code);

    QList<int> called;
    for (const Call& call : library_->calls)
        called.append(call.ordinal);
    QCOMPARE(called, ordinalsCalled);
    QCOMPARE(LogWithoutStamps(SerialLog), CaughtLine(operation, message));
    if (operation == QLatin1String("PortReceiveCR"))
        QCOMPARE(bytes, Untouched);
}

void TestSerialComm::sendWaitsUntilDrained()
{
    library_->Script(Library::WriteOrdinal, {4});
    library_->Script(Library::BytesWaitingToGoOrdinal, {5, 3, 1, 0});
    QCOMPARE(SerialComm::PortSend(QStringLiteral("COM1"), "H\r"), 4);
    QCOMPARE(library_->calls.count(Call{25, {0}, {}}), 4);
    QCOMPARE(library_->calls.size(), 6);
}

void TestSerialComm::drainBound_data()
{
    QTest::addColumn<QString>("baud");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("allowedMilliseconds");

    // Each byte is allowed twelve bit times, on top of a two-second margin.
    QTest::newRow("command at 9600") << "Baud9600" << 2 << 2002;
    QTest::newRow("long text at 1200") << "Baud1200" << 100 << 3000;
    QTest::newRow("empty text") << "Baud115200" << 0 << 2000;
}

void TestSerialComm::drainBound()
{
    QFETCH(QString, baud);
    QFETCH(int, length);
    QFETCH(int, allowedMilliseconds);

    QByteArray bytes;
    RunOperation(QStringLiteral("PortInit"), QStringLiteral("COM2"), bytes,
                 {baud, Plain[1], Plain[2], Plain[3]});
    qint64 now = 0;
    SerialComm::UseDrainClock([&now] { return ++now; }); // one millisecond passes per look
    const QByteArray text(length, 'x');

    // Still waiting when the allowed time is over: the send gives up, once its time is up.
    library_->calls.clear();
    library_->AlwaysAnswer(Library::BytesWaitingToGoOrdinal, 1);
    QCOMPARE(Raised([&] { SerialComm::PortSend(QStringLiteral("COM2"), text); }),
             SerialComm::DrainTimeoutError);
    QCOMPARE(library_->calls.count(Call{25, {1}, {}}), allowedMilliseconds + 1);
    QCOMPARE(LogWithoutStamps(SerialLog),
             CaughtLine(QStringLiteral("PortSend"), "-1207, COM2, " + text));

    // Drained at the last allowed moment: the send succeeds.
    library_->AlwaysAnswer(Library::BytesWaitingToGoOrdinal, 0);
    library_->Script(Library::BytesWaitingToGoOrdinal, QList<int>(allowedMilliseconds, 1));
    QCOMPARE(SerialComm::PortSend(QStringLiteral("COM2"), text), length);
}

void TestSerialComm::receivedLines_data()
{
    QTest::addColumn<QList<QByteArray>>("arrivals"); // bytes that arrive before each call
    QTest::addColumn<QList<int>>("results");
    QTest::addColumn<QList<QByteArray>>("lines"); // out after each call

    QTest::newRow("line assembled across calls")
        << QList<QByteArray>{"12", "34\r"} << QList<int>{0, 5}
        << QList<QByteArray>{Untouched, "1234\r"};
    QTest::newRow("one line per call")
        << QList<QByteArray>{"A\r0100,0200\r", "", ""} << QList<int>{2, 10, 0}
        << QList<QByteArray>{"A\r", "0100,0200\r", "0100,0200\r"};
    QTest::newRow("bare carriage return")
        << QList<QByteArray>{"\r"} << QList<int>{1} << QList<QByteArray>{"\r"};
    QTest::newRow("nothing arrived")
        << QList<QByteArray>{""} << QList<int>{0} << QList<QByteArray>{Untouched};
    QTest::newRow("line feed kept")
        << QList<QByteArray>{"\nOK\r"} << QList<int>{4} << QList<QByteArray>{"\nOK\r"};
    QTest::newRow("longest line kept")
        << QList<QByteArray>{QByteArray(SerialComm::LongestPendingLine - 1, '7') + "\r"}
        << QList<int>{SerialComm::LongestPendingLine}
        << QList<QByteArray>{QByteArray(SerialComm::LongestPendingLine - 1, '7') + "\r"};
}

void TestSerialComm::receivedLines()
{
    QFETCH(QList<QByteArray>, arrivals);
    QFETCH(QList<int>, results);
    QFETCH(QList<QByteArray>, lines);

    QByteArray out = Untouched;
    for (int call = 0; call < arrivals.size(); ++call) {
        library_->Receive(arrivals[call]);
        QCOMPARE(SerialComm::PortReceiveCR(QStringLiteral("COM1"), out), results[call]);
        QCOMPARE(out, lines[call]);
    }
    QVERIFY(!QFile::exists(SerialLog));
}

void TestSerialComm::overlongLineDropped()
{
    const QByteArray noise(3 * SerialComm::LongestPendingLine, 'x');
    library_->Receive(noise);
    QByteArray out = Untouched;
    QCOMPARE(SerialComm::PortReceiveCR(QStringLiteral("COM1"), out), 0);

    // The rest of the overlong line is skipped up to its carriage return; the next line is clean.
    library_->Receive("more noise\rOK\r");
    QCOMPARE(SerialComm::PortReceiveCR(QStringLiteral("COM1"), out), 0);
    QCOMPARE(out, Untouched);
    QCOMPARE(SerialComm::PortReceiveCR(QStringLiteral("COM1"), out), 3);
    QCOMPARE(out, QByteArray("OK\r"));

    // The dropped bytes are not shown again as the pending line of a later failure.
    library_->Script(Library::ReadByteOrdinal, {-2});
    QCOMPARE(Raised([&] { SerialComm::PortReceiveCR(QStringLiteral("COM1"), out); }), -2);
    QCOMPARE(LogWithoutStamps(SerialLog),
             "<stamp>, SerialComm::PortReceiveCR dropped: COM1, 4096 bytes without a carriage "
             "return\r\n" +
                 CaughtLine(QStringLiteral("PortReceiveCR"), "-2, COM1, "));
}

void TestSerialComm::logCannotBeOpened_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("ordinal"); // the library call that fails, 0 for none

    QTest::newRow("bad name") << "PortInit"
                              << "COM0" << 0;
    QTest::newRow("open refused") << "PortInit"
                                  << "COM1" << 17;
    QTest::newRow("write refused") << "PortSend"
                                   << "COM1" << 15;
    QTest::newRow("read fails") << "PortReceiveCR"
                                << "COM1" << 11;
    QTest::newRow("close refused") << "PortClose"
                                   << "COM1" << 6;
}

void TestSerialComm::logCannotBeOpened()
{
    QFETCH(QString, operation);
    QFETCH(QString, port);
    QFETCH(int, ordinal);

    QVERIFY(QDir(QStringLiteral("errors")).removeRecursively());
    library_->Script(ordinal, {-5});
    QByteArray bytes;
    QCOMPARE(Raised([&] { RunOperation(operation, port, bytes); }), -1001);
    QVERIFY(!QFile::exists(QStringLiteral("errors")));
}

void TestSerialComm::Run(const QList<Step>& steps)
{
    for (const Step& step : steps) {
        if (step.result != 0)
            library_->Script(step.ordinal, {step.result});
        QByteArray bytes = "S";
        QCOMPARE(Raised([&] { RunOperation(step.operation, QStringLiteral("COM1"), bytes); }),
                 step.result);
    }
}

void TestSerialComm::failureRuns_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QByteArray>("log");

    QTest::newRow("one failure, then the port works")
        << QList<Step>{ReadFails, Read} << ReadFailure;
    QTest::newRow("a vanished port polled for a minute, then closed")
        << QList<Step>(600, ReadFails) + QList<Step>{Close}
        << ReadFailure + RunCountLine("599 more times", "-5");
    QTest::newRow("another failure ends the run")
        << QList<Step>(3, ReadFails) + QList<Step>{SendFails, ReadFails, ReadFails}
        << ReadFailure + RunCountLine("2 more times", "-5") +
               CaughtLine(QStringLiteral("PortSend"), "-5, COM1, S") + ReadFailure;
    QTest::newRow("another code is another failure")
        << QList<Step>{ReadFails, ReadFailsOtherwise, ReadFailsOtherwise, Init}
        << ReadFailure + CaughtLine(QStringLiteral("PortReceiveCR"), "-6, COM1, ") +
               RunCountLine("1 more time", "-6");
}

void TestSerialComm::failureRuns()
{
    QFETCH(QList<Step>, steps);
    Run(steps);
    QTEST(LogWithoutStamps(SerialLog), "log");
}

void TestSerialComm::runCountedInItsOwnLog()
{
    Run(QList<Step>(3, ReadFails));
    const QString runLog = QDir(start_->Path()).filePath(SerialLog);
    {
        // A file dialog made another folder current before the line worked again.
        const TemporaryStartDirectory elsewhere;
        Run({Read});
        QVERIFY(!QFile::exists(SerialLog));
    }
    QCOMPARE(LogWithoutStamps(runLog), ReadFailure + RunCountLine("2 more times", "-5"));
}

void TestSerialComm::lineKeptWhenTheCountCannotBeWritten()
{
    Run(QList<Step>(3, ReadFails));
    QVERIFY(QDir(QStringLiteral("errors")).removeRecursively());
    library_->Receive("OK\r");
    QByteArray out;
    int length = 0;
    QCOMPARE(Raised([&] { length = SerialComm::PortReceiveCR(QStringLiteral("COM1"), out); }), 0);
    QCOMPARE(length, 3);
    QCOMPARE(out, QByteArray("OK\r"));
}

void TestSerialComm::halfLineForgotten_data()
{
    QTest::addColumn<QByteArray>("before"); // what arrived before the port failed or closed
    QTest::addColumn<QList<Step>>("steps");

    const QByteArray half = "0123,045";
    const QByteArray overlong(SerialComm::LongestPendingLine, 'x');
    QTest::newRow("read fails") << half << QList<Step>{ReadFails};
    QTest::newRow("send fails") << half << QList<Step>{SendFails};
    QTest::newRow("closed and opened again") << half << QList<Step>{Close, Init};
    QTest::newRow("opened again without closing") << half << QList<Step>{Init};
    QTest::newRow("overlong line being skipped, reopened") << overlong << QList<Step>{Close, Init};
    QTest::newRow("overlong line being skipped, read fails") << overlong << QList<Step>{ReadFails};
}

void TestSerialComm::halfLineForgotten()
{
    QFETCH(QByteArray, before);
    QFETCH(QList<Step>, steps);

    library_->Receive(before);
    QByteArray out = Untouched;
    QCOMPARE(SerialComm::PortReceiveCR(QStringLiteral("COM1"), out), 0);
    Run(steps);

    library_->Receive("0123,0456\r");
    QCOMPARE(SerialComm::PortReceiveCR(QStringLiteral("COM1"), out), 10);
    QCOMPARE(out, QByteArray("0123,0456\r"));
}

QTEST_GUILESS_MAIN(TestSerialComm)
#include "tst_serialcomm.moc"
