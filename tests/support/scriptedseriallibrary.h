#pragma once

#include "serial/seriallibrary.h"

#include <QByteArray>
#include <QList>
#include <QMap>

// A serial library for tests: records every call with its arguments and answers what the test
// scripted. Unscripted calls succeed: 0, the written count for Write, 1 for ControlLine 'R',
// and ReadByte hands out the bytes given to Receive, one per call.
class ScriptedSerialLibrary : public SerialLibrary
{
public:
    struct Call
    {
        int ordinal;
        QList<int> arguments; // port index first; a Write's count is its last argument
        QByteArray bytes;     // the bytes of a Write

        bool operator==(const Call&) const = default;
    };

    enum Ordinal
    {
        OpenOrdinal = 17,
        SetBaudOrdinal = 1,
        SetLineFormatOrdinal = 13,
        ControlLineOrdinal = 8,
        PrepareSendOrdinal = 20,
        WriteOrdinal = 15,
        BytesWaitingToGoOrdinal = 25,
        ReadByteOrdinal = 11,
        CloseOrdinal = 6,
    };

    // The next results of an ordinal, in order; when they run out the default answer returns.
    void Script(int ordinal, const QList<int>& results);
    // Answers this result from now on, for every call of the ordinal.
    void AlwaysAnswer(int ordinal, int result);
    // Bytes that arrive from the machine.
    void Receive(const QByteArray& bytes);

    QList<Call> calls;

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
    // Records the call and answers the next scripted result, else the fallback.
    int Answer(const Call& call, int fallback);

    QMap<int, QList<int>> scripted_;
    QMap<int, int> always_;
    QByteArray incoming_;
};
