#include "sim/simulatedseriallibrary.h"

SimulatedSerialLibrary::SimulatedSerialLibrary(const MachineOptions& options, int port)
    : machine_(options), port_(port)
{
}

void SimulatedSerialLibrary::Advance(int milliseconds)
{
    machine_.Advance(milliseconds);
    CollectReplies();
}

int SimulatedSerialLibrary::Open(int port, int receiveQueue, int transmitQueue)
{
    if (port != port_)
        return NoSuchPort;
    if (receiveQueue <= 0 || transmitQueue <= 0)
        return BadArgument;
    open_ = true;
    controlLine_ = false;
    received_.clear();
    return 0;
}

int SimulatedSerialLibrary::SetBaud(int port, int baudCode)
{
    if (const int result = CheckOpen(port); result < 0)
        return result;
    return baudCode >= 2 && baudCode <= 9 ? 0 : BadArgument;
}

int SimulatedSerialLibrary::SetLineFormat(int port, int parity, int stopBits, int wordLength)
{
    if (const int result = CheckOpen(port); result < 0)
        return result;
    const bool valid = parity >= 0 && parity <= 2 && (stopBits == 0 || stopBits == 2) &&
                       (wordLength == 7 || wordLength == 8);
    return valid ? 0 : BadArgument;
}

int SimulatedSerialLibrary::ControlLine(int port, char command)
{
    if (const int result = CheckOpen(port); result < 0)
        return result;
    switch (command) {
    case 'S':
        controlLine_ = true;
        return 0;
    case 'R':
        return controlLine_ ? 1 : 0;
    default:
        return BadArgument;
    }
}

int SimulatedSerialLibrary::PrepareSend(int port)
{
    return CheckOpen(port);
}

int SimulatedSerialLibrary::Write(int port, const char* bytes, int count)
{
    if (const int result = CheckOpen(port); result < 0)
        return result;
    if (count < 0)
        return BadArgument;
    machine_.Receive(QByteArray(bytes, count));
    CollectReplies();
    return count;
}

int SimulatedSerialLibrary::BytesWaitingToGo(int port)
{
    return CheckOpen(port); // written bytes reach the machine at once
}

int SimulatedSerialLibrary::ReadByte(int port, char* buffer, int count)
{
    if (const int result = CheckOpen(port); result < 0)
        return result;
    if (count < 1)
        return BadArgument;
    if (received_.isEmpty())
        return 0;
    *buffer = received_.front();
    received_.remove(0, 1);
    return 1;
}

int SimulatedSerialLibrary::Close(int port)
{
    if (const int result = CheckOpen(port); result < 0)
        return result;
    open_ = false;
    return 0;
}

int SimulatedSerialLibrary::CheckOpen(int port) const
{
    if (port != port_)
        return NoSuchPort;
    return open_ ? 0 : PortNotOpen;
}

void SimulatedSerialLibrary::CollectReplies()
{
    const QList<QByteArray> replies = machine_.TakeReplies();
    // Nobody listens while the port is closed: what the machine sends then is lost.
    if (open_)
        received_ += replies.join();
}
