#pragma once

#include "pseudoterminal.h"

#include "serial/devicelibrary.h"

#include <QByteArrayList>

#include <chrono>

// COM1 of a start directory linked to a pseudo-terminal and opened through the device library,
// as the program opens its port; the test plays the machine on the other side. While it lives
// SerialComm talks through the device library, afterwards through the library given to restore.
class MachinePort
{
public:
    MachinePort(const QString& startDirectory, SerialLibrary& restore);
    ~MachinePort();
    MachinePort(const MachinePort&) = delete;
    MachinePort& operator=(const MachinePort&) = delete;

    bool IsOpen() const { return open_; }

    // The machine sends the pieces one after another, a pause between them, from a thread of its
    // own, while the event loop runs here and the port takes them in; true once all were sent
    // within the time allowed.
    bool Send(const QByteArrayList& pieces, std::chrono::microseconds pause, int milliseconds);

private:
    PseudoTerminal machine_;
    DeviceSerialLibrary device_;
    SerialLibrary& restore_;
    bool open_ = false;
};
