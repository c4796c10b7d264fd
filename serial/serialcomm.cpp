#include "serial/serialcomm.h"

#include "serial/serialerrorlog.h"
#include "serial/seriallibrary.h"

#include <QElapsedTimer>
#include <QStringList>
#include <array>
#include <utility>

namespace SerialComm {
namespace {

const QStringList PortNames = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"};

struct Setting
{
    const char* text;
    int libraryValue;
};

struct BaudSetting
{
    const char* text;
    int libraryValue;
    int bitsPerSecond;
};

constexpr BaudSetting BaudSettings[] = {
    {"Baud1200", 2, 1200},   {"Baud2400", 3, 2400},     {"Baud4800", 4, 4800},
    {"Baud9600", 5, 9600},   {"Baud19200", 6, 19200},   {"Baud38400", 7, 38400},
    {"Baud57600", 8, 57600}, {"Baud115200", 9, 115200},
};
constexpr Setting ParitySettings[] = {{"NoParity", 0}, {"OddParity", 1}, {"EvenParity", 2}};
constexpr Setting StopBitSettings[] = {{"OneStopBit", 0}, {"TwoStopBits", 2}};
constexpr Setting WordLengthSettings[] = {{"WordLength7", 7}, {"WordLength8", 8}};

// Start bit, eight data bits, parity and two stop bits: the longest frame a byte can take.
constexpr int LongestFrameBits = 12;

// The line received so far, waiting for its carriage return; shared by all ports.
QByteArray PendingLine;
// Set once an overlong line was dropped: its bytes are skipped up to its carriage return.
bool SkippingToLineEnd = false;
// The baud rate each port was last set to, for the drain bound of a send.
std::array<int, 8> PortBitsPerSecond = {9600, 9600, 9600, 9600, 9600, 9600, 9600, 9600};
std::function<qint64()> DrainClock;

template <typename Entry, std::size_t Size>
const Entry& Lookup(const Entry (&table)[Size], const QString& text, int errorCode)
{
    for (const Entry& entry : table) {
        if (text == QLatin1String(entry.text))
            return entry;
    }
    throw errorCode;
}

int PortIndex(const QString& port)
{
    const int index = PortNames.indexOf(port);
    if (index < 0)
        throw -1201;
    return index;
}

// Library results below zero are failures, thrown on unchanged.
int Checked(int result)
{
    if (result < 0)
        throw result;
    return result;
}

qint64 NowMilliseconds()
{
    if (DrainClock)
        return DrainClock();
    static QElapsedTimer steady;
    if (!steady.isValid())
        steady.start();
    return steady.elapsed();
}

// A line cut off by a failed or closed port must not be glued to the first line after it.
void ForgetReceivedLine()
{
    PendingLine.clear();
    SkippingToLineEnd = false;
}

// Runs an operation's body; a code it throws is logged as "<code>, <port><detail>" under the
// operation's prefix and thrown on (or the log writer's code in its place when the log cannot be
// written). A failure forgets the line received so far.
template <typename Body, typename Detail>
int LoggingFailures(const char* operation, const QString& port, Body body, Detail detail)
{
    try {
        const int result = body();
        SerialErrorLog::EndRun();
        return result;
    } catch (int code) {
        const QString message = QString::number(code) + QStringLiteral(", ") + port + detail();
        ForgetReceivedLine();
        SerialErrorLog::Failure(QLatin1String(operation), message);
        throw;
    }
}

// Keeps memory bounded when a device sends and never ends its line.
void DropPendingLine(const QString& port)
{
    PendingLine.clear();
    SkippingToLineEnd = true;
    SerialErrorLog::Note(
        QStringLiteral("SerialComm::PortReceiveCR dropped: "),
        QStringLiteral("%1, %2 bytes without a carriage return").arg(port).arg(LongestPendingLine));
}

void KeepReceivedByte(char byte, const QString& port)
{
    if (SkippingToLineEnd)
        return;
    PendingLine += byte;
    if (PendingLine.size() >= LongestPendingLine)
        DropPendingLine(port);
}

QString NoDetail()
{
    return {};
}

QString BytesDetail(const QByteArray& bytes)
{
    return QStringLiteral(", ") + QString::fromLatin1(bytes);
}

} // namespace

int PortInit(const QString& port, const QString& baud, const QString& parity,
             const QString& stopBits, const QString& wordLength)
{
    return LoggingFailures(
        "PortInit", port,
        [&] {
            const int index = PortIndex(port);
            const BaudSetting& baudSetting = Lookup(BaudSettings, baud, -1202);
            const int parityValue = Lookup(ParitySettings, parity, -1203).libraryValue;
            const int stopBitsValue = Lookup(StopBitSettings, stopBits, -1204).libraryValue;
            const int wordLengthValue = Lookup(WordLengthSettings, wordLength, -1205).libraryValue;

            SerialLibrary& library = ActiveSerialLibrary();
            ForgetReceivedLine();
            Checked(library.Open(index, 2000, 2000));
            Checked(library.SetBaud(index, baudSetting.libraryValue));
            PortBitsPerSecond[index] = baudSetting.bitsPerSecond;
            Checked(library.SetLineFormat(index, parityValue, stopBitsValue, wordLengthValue));
            library.ControlLine(index, 'S');
            if (library.ControlLine(index, 'R') != 1)
                throw -1206;
            return 0;
        },
        NoDetail);
}

int PortSend(const QString& port, const QByteArray& text)
{
    return LoggingFailures(
        "PortSend", port,
        [&] {
            const int index = PortIndex(port);
            SerialLibrary& library = ActiveSerialLibrary();
            Checked(library.PrepareSend(index));
            const int written = Checked(library.Write(index, text.constData(), text.size()));
            const qint64 deadline =
                NowMilliseconds() + DrainMarginMilliseconds +
                text.size() * LongestFrameBits * 1000LL / PortBitsPerSecond[index];
            while (Checked(library.BytesWaitingToGo(index)) > 0) {
                if (NowMilliseconds() > deadline)
                    throw DrainTimeoutError;
            }
            return written;
        },
        [&] { return BytesDetail(text); });
}

int PortReceiveCR(const QString& port, QByteArray& out)
{
    return LoggingFailures(
        "PortReceiveCR", port,
        [&] {
            const int index = PortIndex(port);
            SerialLibrary& library = ActiveSerialLibrary();
            char byte = 0;
            while (Checked(library.ReadByte(index, &byte, 1)) != 0) {
                if (byte != '\r') {
                    KeepReceivedByte(byte, port);
                    continue;
                }
                if (std::exchange(SkippingToLineEnd, false))
                    return 0; // the end of a dropped line
                out = PendingLine + '\r';
                PendingLine.clear();
                return int(out.size());
            }
            return 0;
        },
        [] { return BytesDetail(PendingLine); });
}

int PortClose(const QString& port)
{
    return LoggingFailures(
        "PortClose", port,
        [&] {
            Checked(ActiveSerialLibrary().Close(PortIndex(port)));
            ForgetReceivedLine();
            return 0;
        },
        NoDetail);
}

bool OpenMachinePort(const QString& port)
{
    try {
        PortInit(port, QStringLiteral("Baud9600"), QStringLiteral("NoParity"),
                 QStringLiteral("OneStopBit"), QStringLiteral("WordLength8"));
    } catch (int) {
        return false;
    }
    return true;
}

void UseDrainClock(std::function<qint64()> clock)
{
    DrainClock = std::move(clock);
}

} // namespace SerialComm
