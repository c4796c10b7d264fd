#pragma once

#include <QByteArray>

// What one received line does to repeat cycling and whether it finishes the test. The decision
// looks only at the line's first two raw characters, whatever kind of reply the line is.

enum class RepeatAction
{
    None,
    PerformHome,
    PerformTest
};

struct RepeatCycleState
{
    bool repeatChecked = false;
    int cyclesComplete = 0;
    int cyclesRequired = 1;
};

struct RepeatCycleDecision
{
    int cyclesComplete = 0;
    int cyclesRequired = 1;
    bool endRepeatMode = false;
    RepeatAction action = RepeatAction::None;
    bool finishTest = false;
};

// line is the received line, its carriage return may be included. The cycles still required never
// drop below 0: a count that is used up ends repeat mode.
RepeatCycleDecision DecideRepeatCycle(const QByteArray& line, const RepeatCycleState& state);
