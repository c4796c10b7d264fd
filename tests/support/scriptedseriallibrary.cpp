#include "scriptedseriallibrary.h"

void ScriptedSerialLibrary::Script(int ordinal, const QList<int>& results)
{
    scripted_[ordinal] += results;
}

void ScriptedSerialLibrary::AlwaysAnswer(int ordinal, int result)
{
    always_[ordinal] = result;
}

void ScriptedSerialLibrary::Receive(const QByteArray& bytes)
{
    incoming_ += bytes;
}

int ScriptedSerialLibrary::Answer(const Call& call, int fallback)
{
    calls.append(call);
    QList<int>& queue = scripted_[call.ordinal];
    if (!queue.isEmpty())
        return queue.takeFirst();
    return always_.value(call.ordinal, fallback);
}

int ScriptedSerialLibrary::Open(int port, int receiveQueue, int transmitQueue)
{
    return Answer({OpenOrdinal, {port, receiveQueue, transmitQueue}, {}}, 0);
}

int ScriptedSerialLibrary::SetBaud(int port, int baudCode)
{
    return Answer({SetBaudOrdinal, {port, baudCode}, {}}, 0);
}

int ScriptedSerialLibrary::SetLineFormat(int port, int parity, int stopBits, int wordLength)
{
    return Answer({SetLineFormatOrdinal, {port, parity, stopBits, wordLength}, {}}, 0);
}

int ScriptedSerialLibrary::ControlLine(int port, char command)
{
    return Answer({ControlLineOrdinal, {port, command}, {}}, command == 'R' ? 1 : 0);
}

int ScriptedSerialLibrary::PrepareSend(int port)
{
    return Answer({PrepareSendOrdinal, {port}, {}}, 0);
}

int ScriptedSerialLibrary::Write(int port, const char* bytes, int count)
{
    return Answer({WriteOrdinal, {port, count}, QByteArray(bytes, count)}, count);
}

int ScriptedSerialLibrary::BytesWaitingToGo(int port)
{
    return Answer({BytesWaitingToGoOrdinal, {port}, {}}, 0);
}

int ScriptedSerialLibrary::ReadByte(int port, char* buffer, int count)
{
    const int scripted = Answer({ReadByteOrdinal, {port, count}, {}}, 1);
    if (scripted != 1)
        return scripted;
    if (incoming_.isEmpty())
        return 0;
    *buffer = incoming_.front();
    incoming_.remove(0, 1);
    return 1;
}

int ScriptedSerialLibrary::Close(int port)
{
    return Answer({CloseOrdinal, {port}, {}}, 0);
}
