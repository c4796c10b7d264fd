#include "sim/machinemodel.h"

#include "protocol/protocol.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
constexpr int LargestCount = 9999;
constexpr double BrokenBelowPeakFraction = 0.5;
} // namespace

MachineModel::MachineModel(const MachineOptions& options) : options_(options), noise_(options.seed)
{
}

void MachineModel::Receive(const QByteArray& bytes)
{
    for (const MachineCommand& command : reader_.Read(bytes))
        Execute(command);
}

void MachineModel::Advance(int milliseconds)
{
    double remaining = milliseconds;
    while (remaining > 0 && motion_ != Motion::Idle) {
        const double step = std::min(remaining, untilNextEvent_);
        remaining -= step;
        untilNextEvent_ -= step;
        if (motion_ == Motion::Homing)
            position_ = std::max(0.0, position_ - step * HomingCountsPerSecond / 1000.0);
        if (untilNextEvent_ <= 0)
            OnEvent();
    }
}

QList<QByteArray> MachineModel::TakeReplies()
{
    return std::exchange(replies_, {});
}

void MachineModel::Execute(const MachineCommand& command)
{
    switch (command.kind) {
    case MachineCommand::Continuous:
        incremental_ = false;
        Send(QorCommand::Continuous);
        break;
    case MachineCommand::Incremental:
        incremental_ = true;
        Send(QorCommand::Incremental);
        break;
    case MachineCommand::SetIncrementalForce:
        incrementalForce_ = command.force;
        Send({});
        break;
    case MachineCommand::Version:
        Send(QorCommand::Version + VersionCharacters);
        break;
    case MachineCommand::Stop:
        motion_ = Motion::Idle;
        Send(QorCommand::Stop);
        break;
    case MachineCommand::Home:
        StartHoming();
        break;
    case MachineCommand::Test:
        StartTest();
        break;
    }
}

void MachineModel::StartHoming()
{
    if (position_ <= 0) {
        motion_ = Motion::Idle;
        Send("H");
        return;
    }
    motion_ = Motion::Homing;
    untilNextEvent_ = position_ * 1000.0 / HomingCountsPerSecond;
    Send("U");
}

void MachineModel::StartTest()
{
    // A running test goes on; the button pressed twice starts nothing new.
    if (motion_ == Motion::Testing || motion_ == Motion::Holding ||
        motion_ == Motion::PlayingScript)
        return;
    untilNextEvent_ = RecordInterval();
    if (!options_.script.isEmpty()) {
        motion_ = Motion::PlayingScript;
        nextScriptLine_ = 0;
        OnEvent();
        return;
    }
    motion_ = Motion::Testing;
    peakForce_ = 0;
    forceAtLastPause_ = 0;
    Send("D");
}

void MachineModel::OnEvent()
{
    switch (motion_) {
    case Motion::Homing:
        position_ = 0;
        motion_ = Motion::Idle;
        Send("H");
        break;
    case Motion::Testing:
        untilNextEvent_ = RecordInterval();
        TakeStep();
        break;
    case Motion::Holding:
        motion_ = Motion::Testing;
        untilNextEvent_ = RecordInterval();
        break;
    case Motion::PlayingScript:
        Send(options_.script.at(nextScriptLine_++));
        untilNextEvent_ = RecordInterval();
        if (nextScriptLine_ == options_.script.size())
            motion_ = Motion::Idle;
        break;
    case Motion::Idle:
        break;
    }
}

void MachineModel::TakeStep()
{
    position_ = std::min<double>(position_ + StepCounts, options_.travelLimit);
    const double noise = noise_.bounded(-NoisePounds, NoisePounds + 1);
    const int force = std::clamp<int>(
        std::lround(SpecimenForce(options_.specimen, position_) + noise), 0, LargestCount);
    const int displacement = std::clamp<int>(std::lround(position_), 0, LargestCount);
    Send(EncodeDataRecord(displacement, force));

    if (peakForce_ >= BreakPeakPounds && force < peakForce_ * BrokenBelowPeakFraction) {
        motion_ = Motion::Idle;
        Send("TT");
        return;
    }
    peakForce_ = std::max(peakForce_, force);
    if (force >= options_.maxForce) {
        motion_ = Motion::Idle;
        Send("TM");
    } else if (position_ >= options_.travelLimit) {
        motion_ = Motion::Idle;
        Send("TL");
    } else if (incremental_ && force - forceAtLastPause_ >= incrementalForce_) {
        forceAtLastPause_ = force;
        motion_ = Motion::Holding;
        untilNextEvent_ = options_.holdMilliseconds;
        Send("ID");
    }
}

void MachineModel::Send(const QByteArray& text)
{
    replies_.append(text + CarriageReturn);
}

double MachineModel::RecordInterval() const
{
    return 1000.0 / options_.recordsPerSecond;
}
