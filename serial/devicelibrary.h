#pragma once

#include "serial/receivequeue.h"
#include "serial/seriallibrary.h"

#include <QPointer>
#include <QSerialPort>
#include <map>

// The serial library over real tty devices, through QSerialPort. COMn is the device
// <StartDirectory>/COMn when that exists (a link made by the installer or the simulator), else
// /dev/ttyS(n-1).
//
// What a port receives is taken from it as it arrives, whenever the event loop runs or a read finds
// nothing taken yet, into the port's own receive queue, from which reads hand it out a byte at a
// time: the port's buffer holds a block of memory for every small arrival, and a burst from the
// machine may wait minutes for the polling to take it line by line. Once the queue is full, further
// bytes wait in the port until there is room.
class DeviceSerialLibrary : public SerialLibrary
{
public:
    // Its own failures, all negative like every library failure.
    static constexpr int CannotOpen = -2;     // no such device, busy, or not a serial device
    static constexpr int NotOpen = -3;        // the port was never opened, or was closed
    static constexpr int SettingRefused = -4; // a value the device or this library does not take
    static constexpr int DeviceGone = -5;     // the device went away; the port was closed at once
    static constexpr int TransferFailed = -6; // a read or write failed

    ~DeviceSerialLibrary() override;

    int Open(int port, int receiveQueue, int transmitQueue) override;
    int SetBaud(int port, int baudCode) override;
    int SetLineFormat(int port, int parity, int stopBits, int wordLength) override;
    int ControlLine(int port, char command) override;
    int PrepareSend(int port) override;
    int Write(int port, const char* bytes, int count) override;
    int BytesWaitingToGo(int port) override;
    int ReadByte(int port, char* buffer, int count) override;
    int Close(int port) override;

    // The device COMn (index n-1) stands for.
    static QString DevicePath(int port);

private:
    struct Port
    {
        // Open until the device goes away; closed at its first failure.
        QPointer<QSerialPort> device;
        // Received and not read yet; when the device went away, handed out before the failure.
        ReceiveQueue received;
        // A pseudo-terminal has no modem lines: the control line is then kept here.
        bool softwareControlLine = false;
        bool hasModemLines = true;
    };

    // The body's result on the open port at the index; NotOpen or DeviceGone without it.
    template <typename Body> int WithOpenPort(int port, Body body);
    void Forget(int port);
    // Moves what the device has received into the port's queue, as far as there is room.
    static void TakeArrived(QSerialPort& device, Port& state);
    // Closes a device that went away, keeping the bytes it had received.
    void DeviceFailed(int port, QSerialPort& device);

    std::map<int, Port> ports_;
};
