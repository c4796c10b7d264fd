#pragma once

// The serial-communications library under SerialComm, one function per operation the program
// uses, each with the arguments and results the program relies on. Negative results are errors
// and are passed on to the caller unchanged.
class SerialLibrary
{
public:
    virtual ~SerialLibrary() = default;

    // Opens the port; the first call on a port.
    virtual int Open(int port, int receiveQueue, int transmitQueue) = 0;
    // Baud rate by its code: 2 (1200) to 9 (115200).
    virtual int SetBaud(int port, int baudCode) = 0;
    // Parity 0 none, 1 odd, 2 even; stop bits 0 one, 2 two; word length 7 or 8.
    virtual int SetLineFormat(int port, int parity, int stopBits, int wordLength) = 0;
    // 'S' sets the control line, 'R' reads it back (1 when set).
    virtual int ControlLine(int port, char command) = 0;
    // Called before every send; not negative when ready.
    virtual int PrepareSend(int port) = 0;
    // Queues count bytes for transmission; the count written.
    virtual int Write(int port, const char* bytes, int count) = 0;
    // Bytes still waiting to be transmitted; 0 or less when the transmit side is empty.
    virtual int BytesWaitingToGo(int port) = 0;
    // 1 when one byte was stored in buffer, 0 when none is available now; never waits.
    virtual int ReadByte(int port, char* buffer, int count) = 0;
    virtual int Close(int port) = 0;
};

// The library SerialComm talks through: the device library unless another was installed.
SerialLibrary& ActiveSerialLibrary();
// Installs another library (the simulated machine, a test's script); nullptr restores the device.
void InstallSerialLibrary(SerialLibrary* library);
