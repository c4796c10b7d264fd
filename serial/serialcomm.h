#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The only road between the program and the machine: four operations on a port named "COM1" to
// "COM8". Each failure is logged to errors/serial.errors.txt (a run of identical failures once,
// with its count when it ends) and thrown on as an int code: -1201 bad port name, -1202 to -1205
// bad baud, parity, stop-bits or word-length text, -1206 the control line did not read back as
// set, -1207 the port did not drain in time; negative codes of the serial library pass through
// unchanged, and so does -1001 or -1003 of the log writer when the log cannot be written.
//
// A line still waiting for its carriage return is forgotten whenever an operation fails and
// whenever the port is closed or opened, so the first line after a reopen stands on its own.
namespace SerialComm {

inline constexpr int DrainTimeoutError = -1207;
// Time allowed on top of the bytes' own time at the port's baud rate before a send gives up.
inline constexpr int DrainMarginMilliseconds = 2000;
// No reply of the machine comes near this; a longer run without a carriage return is dropped.
inline constexpr int LongestPendingLine = 4096;

int PortInit(const QString& port, const QString& baud, const QString& parity,
             const QString& stopBits, const QString& wordLength);
// Returns once the bytes have left, or throws when the port does not drain in time. A negative
// answer of the library to "bytes waiting to go" is a failure of the port, thrown like any other,
// not an empty transmit side.
int PortSend(const QString& port, const QByteArray& text);
// 0 while no complete line has arrived; else the length of the line put into out, CR included.
int PortReceiveCR(const QString& port, QByteArray& out);
int PortClose(const QString& port);

// Opens the port as the machine's line is set: 9600 baud, no parity, one stop bit, 8 data bits.
// False when it cannot be opened; the failure is logged as every other is.
bool OpenMachinePort(const QString& port);

// The millisecond clock the drain wait is measured by; an empty function restores the steady
// clock. Tests drive their own.
void UseDrainClock(std::function<qint64()> clock);

} // namespace SerialComm
