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

QByteArray ScriptedSerialLibrary::Written() const
{
    QByteArray all;
    for (const Call& call : calls)
        all += call.bytes;
    return all;
}

int ScriptedSerialLibrary::Answer(int ordinal, int fallback)
{
    QList<int>& queue = scripted_[ordinal];
    if (!queue.isEmpty())
        return queue.takeFirst();
    return always_.value(ordinal, fallback);
}

int ScriptedSerialLibrary::Open(int port, int receiveQueue, int transmitQueue)
{
    calls.append({OpenOrdinal, {port, receiveQueue, transmitQueue}, {}});
    return Answer(OpenOrdinal, 0);
}

int ScriptedSerialLibrary::SetBaud(int port, int baudCode)
{
    calls.append({SetBaudOrdinal, {port, baudCode}, {}});
    return Answer(SetBaudOrdinal, 0);
}

int ScriptedSerialLibrary::SetLineFormat(int port, int parity, int stopBits, int wordLength)
{
    calls.append({SetLineFormatOrdinal, {port, parity, stopBits, wordLength}, {}});
    return Answer(SetLineFormatOrdinal, 0);
}

int ScriptedSerialLibrary::ControlLine(int port, char command)
{
    calls.append({ControlLineOrdinal, {port, command}, {}});
    return Answer(ControlLineOrdinal, command == 'R' ? 1 : 0);
}

int ScriptedSerialLibrary::PrepareSend(int port)
{
    calls.append({PrepareSendOrdinal, {port}, {}});
    return Answer(PrepareSendOrdinal, 0);
}

int ScriptedSerialLibrary::Write(int port, const char* bytes, int count)
{
    calls.append({WriteOrdinal, {port, count}, QByteArray(bytes, count)});
    return Answer(WriteOrdinal, count);
}

int ScriptedSerialLibrary::BytesWaitingToGo(int port)
{
    calls.append({BytesWaitingToGoOrdinal, {port}, {}});
    return Answer(BytesWaitingToGoOrdinal, 0);
}

int ScriptedSerialLibrary::ReadByte(int port, char* buffer, int count)
{
    calls.append({ReadByteOrdinal, {port, count}, {}});
    const int scripted = Answer(ReadByteOrdinal, 1);
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
    calls.append({CloseOrdinal, {port}, {}});
    return Answer(CloseOrdinal, 0);
}
