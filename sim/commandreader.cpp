#include "sim/commandreader.h"

#include "protocol/protocol.h"

#include <optional>

namespace {

constexpr int MostForceDigits = 4;

std::optional<MachineCommand::Kind> CommandOfLetter(char letter)
{
    switch (letter) {
    case 'C':
        return MachineCommand::Continuous;
    case 'I':
        return MachineCommand::Incremental;
    case 'H':
        return MachineCommand::Home;
    case 'T':
        return MachineCommand::Test;
    case 'S':
        return MachineCommand::Stop;
    case 'V':
        return MachineCommand::Version;
    default:
        return std::nullopt; // not a command
    }
}

} // namespace

QList<MachineCommand> CommandReader::Read(const QByteArray& bytes)
{
    QList<MachineCommand> commands;
    for (const char byte : bytes) {
        switch (state_) {
        case State::AfterM:
            if (byte == 'I') {
                state_ = State::InForce;
                forceDigits_.clear();
            } else {
                state_ = State::Idle;
                ReadIdle(byte, commands);
            }
            break;
        case State::InForce:
            if (byte >= '0' && byte <= '9' && forceDigits_.size() < MostForceDigits) {
                forceDigits_ += byte;
            } else {
                state_ = State::Idle;
                const int force = forceDigits_.toInt();
                if (byte == CarriageReturn && force > 0)
                    commands.append(MachineCommand{MachineCommand::SetIncrementalForce, force});
                else
                    ReadIdle(byte, commands);
            }
            break;
        case State::Idle:
            ReadIdle(byte, commands);
            break;
        }
    }
    return commands;
}

void CommandReader::ReadIdle(char byte, QList<MachineCommand>& commands)
{
    if (byte == 'M') {
        state_ = State::AfterM;
        return;
    }
    if (const std::optional<MachineCommand::Kind> kind = CommandOfLetter(byte))
        commands.append(MachineCommand{*kind});
}
