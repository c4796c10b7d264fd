#pragma once

#include "serial/seriallibrary.h"
#include "sim/machinemodel.h"

#include <QByteArray>

// A serial library wired straight to a simulated machine on one port, clocked by its owner: what
// the program writes reaches the machine at once, and the machine's replies become readable as
// the owner advances the clock. Lets SerialComm and everything above it run against the machine
// without a pseudo-terminal or real time.
class SimulatedSerialLibrary : public SerialLibrary
{
public:
    enum Result
    {
        NoSuchPort = -2,
        PortNotOpen = -3,
        BadArgument = -4
    };

    explicit SimulatedSerialLibrary(const MachineOptions& options = {}, int port = 0);

    // Time passes for the machine; what it sends meanwhile waits to be read.
    void Advance(int milliseconds);
    MachineModel& Machine() { return machine_; }

    int Open(int port, int receiveQueue, int transmitQueue) override;
    int SetBaud(int port, int baudCode) override;
    int SetLineFormat(int port, int parity, int stopBits, int wordLength) override;
    int ControlLine(int port, char command) override;
    int PrepareSend(int port) override;
    int Write(int port, const char* bytes, int count) override;
    int BytesWaitingToGo(int port) override;
    int ReadByte(int port, char* buffer, int count) override;
    int Close(int port) override;

private:
    int CheckOpen(int port) const;
    void CollectReplies();

    MachineModel machine_;
    const int port_;
    bool open_ = false;
    bool controlLine_ = false;
    QByteArray received_; // sent by the machine, not read yet
};
