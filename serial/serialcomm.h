#pragma once

#include <QByteArray>
#include <QString>

// The only road between the program and the machine: four operations on a port named "COM1" to
// "COM8". Each failure is logged to errors/serial.errors.txt and thrown on as an int code.
namespace SerialComm {

int PortInit(const QString& port, const QString& baud, const QString& parity,
             const QString& stopBits, const QString& wordLength);
// Returns once the bytes have left, or throws when the port does not drain in time.
int PortSend(const QString& port, const QByteArray& text);
// 0 while no complete line has arrived; else the length of the line put into out, CR included.
int PortReceiveCR(const QString& port, QByteArray& out);
int PortClose(const QString& port);

} // namespace SerialComm
