#pragma once

#include <QByteArray>
#include <QList>

// A command the machine understood in the bytes it received.
struct MachineCommand
{
    enum Kind
    {
        Continuous,
        Incremental,
        SetIncrementalForce,
        Home,
        Test,
        Stop,
        Version
    };
    Kind kind;
    int force = 0; // of SetIncrementalForce

    bool operator==(const MachineCommand&) const = default;
};

// Picks commands out of the byte stream from the program. Commands may arrive split over any
// number of reads; bytes that start no command, and an incremental force that is not made of one
// to four digits ended by a carriage return, are ignored.
class CommandReader
{
public:
    QList<MachineCommand> Read(const QByteArray& bytes);

private:
    enum class State
    {
        Idle,
        AfterM,
        InForce
    };
    void ReadIdle(char byte, QList<MachineCommand>& commands);

    State state_ = State::Idle;
    QByteArray forceDigits_;
};
