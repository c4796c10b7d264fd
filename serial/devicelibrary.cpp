#include "serial/devicelibrary.h"

// Placeholder until the QSerialPort implementation lands: every call fails.
int DeviceSerialLibrary::Open(int, int, int) { return -1; }
int DeviceSerialLibrary::SetBaud(int, int) { return -1; }
int DeviceSerialLibrary::SetLineFormat(int, int, int, int) { return -1; }
int DeviceSerialLibrary::ControlLine(int, char) { return -1; }
int DeviceSerialLibrary::PrepareSend(int) { return -1; }
int DeviceSerialLibrary::Write(int, const char*, int) { return -1; }
int DeviceSerialLibrary::BytesWaitingToGo(int) { return -1; }
int DeviceSerialLibrary::ReadByte(int, char*, int) { return -1; }
int DeviceSerialLibrary::Close(int) { return -1; }
