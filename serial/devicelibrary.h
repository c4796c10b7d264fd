#pragma once

#include "serial/seriallibrary.h"

// The serial library over real tty devices, through QSerialPort.
class DeviceSerialLibrary : public SerialLibrary
{
public:
    int Open(int port, int receiveQueue, int transmitQueue) override;
    int SetBaud(int port, int baudCode) override;
    int SetLineFormat(int port, int parity, int stopBits, int wordLength) override;
    int ControlLine(int port, char command) override;
    int PrepareSend(int port) override;
    int Write(int port, const char* bytes, int count) override;
    int BytesWaitingToGo(int port) override;
    int ReadByte(int port, char* buffer, int count) override;
    int Close(int port) override;
};
