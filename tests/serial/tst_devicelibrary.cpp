#include "logfile.h"
#include "program/settings.h"
#include "pseudoterminal.h"
#include "serial/devicelibrary.h"
#include "serial/serialcomm.h"
#include "temporarystartdirectory.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTest>
#include <memory>
#include <termios.h>

namespace {

// Polls COM1 as the control panel does until a line arrives or a few seconds passed.
int NextLine(QByteArray& line)
{
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (const int length = SerialComm::PortReceiveCR(QStringLiteral("COM1"), line))
            return length;
        QTest::qWait(10);
    }
    return 0;
}

} // namespace

class TestDeviceLibrary : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void devicePath_data();
    void devicePath();
    void opensAtNineSixtyEightNOne();
    void sendArrivesOnTheOtherSide();
    void bytesComeBackAsLines();
    void otherSideClosing_data();
    void otherSideClosing();
    void portThatIsNotOpen();
    void notASerialDevice();

private:
    // Opens COM1, linked to the pseudo-terminal, through SerialComm at 9600 8N1.
    void OpenThroughSerialComm();

    std::unique_ptr<TemporaryStartDirectory> start_;
    std::unique_ptr<PseudoTerminal> terminal_;
    std::unique_ptr<DeviceSerialLibrary> library_;
};

void TestDeviceLibrary::init()
{
    start_ = std::make_unique<TemporaryStartDirectory>();
    terminal_ = std::make_unique<PseudoTerminal>();
    QVERIFY(terminal_->IsOpen());
    QVERIFY(QFile::link(terminal_->DevicePath(), start_->Path() + QStringLiteral("/COM1")));
    library_ = std::make_unique<DeviceSerialLibrary>();
    InstallSerialLibrary(library_.get());
}

void TestDeviceLibrary::cleanup()
{
    InstallSerialLibrary(nullptr);
    library_.reset();
    terminal_.reset();
    start_.reset();
}

void TestDeviceLibrary::OpenThroughSerialComm()
{
    QCOMPARE(SerialComm::PortInit(QStringLiteral("COM1"), QStringLiteral("Baud9600"),
                                  QStringLiteral("NoParity"), QStringLiteral("OneStopBit"),
                                  QStringLiteral("WordLength8")),
             0);
}

void TestDeviceLibrary::devicePath_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("expected"); // relative to the start directory when not absolute

    QTest::newRow("COM1 linked in the start directory") << 0 << "COM1";
    QTest::newRow("COM2 not linked") << 1 << "/dev/ttyS1";
}

void TestDeviceLibrary::devicePath()
{
    QFETCH(int, port);
    QFETCH(QString, expected);
    if (!expected.startsWith(QLatin1Char('/')))
        expected = StartDirectory + QLatin1Char('/') + expected;
    QCOMPARE(DeviceSerialLibrary::DevicePath(port), expected);
}

void TestDeviceLibrary::opensAtNineSixtyEightNOne()
{
    OpenThroughSerialComm();
    termios settings{};
    QCOMPARE(tcgetattr(terminal_->OtherSide(), &settings), 0);
    QCOMPARE(cfgetospeed(&settings), speed_t(B9600));
    QCOMPARE(cfgetispeed(&settings), speed_t(B9600));
    QCOMPARE(settings.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(settings.c_cflag & (PARENB | CSTOPB), tcflag_t(0));
    // A pseudo-terminal has no modem lines: the control line is kept by the library.
    QCOMPARE(library_->ControlLine(0, 'R'), 1);
}

void TestDeviceLibrary::sendArrivesOnTheOtherSide()
{
    OpenThroughSerialComm();
    QCOMPARE(SerialComm::PortSend(QStringLiteral("COM1"), "H\r"), 2);
    QCOMPARE(library_->BytesWaitingToGo(0), 0);
    QCOMPARE(terminal_->Receive(2), QByteArray("H\r"));

    const QByteArray longText(3000, 'x');
    QCOMPARE(SerialComm::PortSend(QStringLiteral("COM1"), longText), 3000);
    QCOMPARE(terminal_->Receive(3000), longText);
}

void TestDeviceLibrary::bytesComeBackAsLines()
{
    OpenThroughSerialComm();
    QByteArray line;
    QCOMPARE(SerialComm::PortReceiveCR(QStringLiteral("COM1"), line), 0);

    terminal_->Send("A\r0123,04");
    QCOMPARE(NextLine(line), 2);
    QCOMPARE(line, QByteArray("A\r"));
    QCOMPARE(SerialComm::PortReceiveCR(QStringLiteral("COM1"), line), 0);
    QCOMPARE(line, QByteArray("A\r"));

    terminal_->Send("56\r");
    QCOMPARE(NextLine(line), 10);
    QCOMPARE(line, QByteArray("0123,0456\r"));
}

void TestDeviceLibrary::otherSideClosing_data()
{
    QTest::addColumn<bool>("eventLoopRunsFirst");
    QTest::addColumn<QByteArray>("sentBeforeClosing");
    QTest::addColumn<QList<QByteArray>>("lines"); // handed out before the failure
    QTest::addColumn<QByteArray>("pending");      // in the logged failure

    QTest::newRow("noticed by the next read")
        << false << QByteArray() << QList<QByteArray>{} << QByteArray();
    QTest::newRow("noticed by the event loop")
        << true << QByteArray() << QList<QByteArray>{} << QByteArray();
    // The port's notifier has taken the bytes from the terminal before it sees the other side go.
    QTest::newRow("bytes received before the close come first")
        << true << QByteArray("0123,0456\rTT\r12") << QList<QByteArray>{"0123,0456\r", "TT\r"}
        << QByteArray("12");
}

void TestDeviceLibrary::otherSideClosing()
{
    QFETCH(bool, eventLoopRunsFirst);
    QFETCH(QByteArray, sentBeforeClosing);
    QFETCH(QByteArray, pending);
    OpenThroughSerialComm();
    terminal_->Send(sentBeforeClosing);
    if (eventLoopRunsFirst)
        QTest::qWait(50);
    terminal_->CloseOtherSide();
    if (eventLoopRunsFirst) {
        // The port's own notifier sees the failure and the port is closed at once.
        QTest::qWait(50);
        QCOMPARE(library_->PrepareSend(0), DeviceSerialLibrary::DeviceGone);
    }

    QList<QByteArray> received;
    QByteArray line;
    try {
        while (SerialComm::PortReceiveCR(QStringLiteral("COM1"), line) > 0)
            received.append(line);
        QFAIL("the closed other side went unnoticed");
    } catch (int code) {
        QCOMPARE(code, DeviceSerialLibrary::DeviceGone);
    }
    QTEST(received, "lines");
    QCOMPARE(LogWithoutStamps(QStringLiteral("errors/serial.errors.txt")),
             "<stamp>, SerialComm::PortReceiveCR caught error: -5, COM1, " + pending + "\r\n");

    // Every later call fails at once, and closing forgets the port.
    char byte = 0;
    QCOMPARE(library_->ReadByte(0, &byte, 1), DeviceSerialLibrary::DeviceGone);
    QCOMPARE(library_->PrepareSend(0), DeviceSerialLibrary::DeviceGone);
    QCOMPARE(library_->Write(0, "S\r", 2), DeviceSerialLibrary::DeviceGone);
    QCOMPARE(library_->BytesWaitingToGo(0), DeviceSerialLibrary::DeviceGone);
    QCOMPARE(library_->Close(0), DeviceSerialLibrary::DeviceGone);
    QCOMPARE(library_->ReadByte(0, &byte, 1), DeviceSerialLibrary::NotOpen);
}

void TestDeviceLibrary::portThatIsNotOpen()
{
    char byte = 0;
    QCOMPARE(library_->ReadByte(0, &byte, 1), DeviceSerialLibrary::NotOpen);
    QCOMPARE(library_->Write(0, "S", 1), DeviceSerialLibrary::NotOpen);
    QCOMPARE(library_->Close(0), DeviceSerialLibrary::NotOpen);

    QCOMPARE(library_->Open(0, 2000, 2000), 0);
    QCOMPARE(library_->Open(0, 2000, 2000), 0); // opening again starts afresh
    QCOMPARE(library_->Close(0), 0);
    QCOMPARE(library_->PrepareSend(0), DeviceSerialLibrary::NotOpen);
}

void TestDeviceLibrary::notASerialDevice()
{
    start_->WriteFile(QStringLiteral("COM2"), "a plain file");
    QCOMPARE(library_->Open(1, 2000, 2000), DeviceSerialLibrary::CannotOpen);
    QCOMPARE(library_->SetBaud(1, 5), DeviceSerialLibrary::NotOpen);
}

QTEST_GUILESS_MAIN(TestDeviceLibrary)
#include "tst_devicelibrary.moc"
