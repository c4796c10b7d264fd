#include "control/repeatcycle.h"

namespace {

char CharacterAt(const QByteArray& line, int index)
{
    return index < line.size() ? line.at(index) : '\0';
}

} // namespace

RepeatCycleDecision DecideRepeatCycle(const QByteArray& line, const RepeatCycleState& state)
{
    const char first = CharacterAt(line, 0);
    const char second = CharacterAt(line, 1);

    RepeatCycleDecision decision;
    decision.cyclesComplete = state.cyclesComplete;
    decision.cyclesRequired = state.cyclesRequired;

    if (state.repeatChecked) {
        if (first == 'T' && second == 'L') {
            decision.endRepeatMode = true;
        } else if (first == 'T' && (second == 'M' || second == 'T')) {
            decision.cyclesComplete += 1;
            decision.cyclesRequired = qMax(0, decision.cyclesRequired - 1);
            if (decision.cyclesRequired == 0 || second == 'T')
                decision.endRepeatMode = true;
            else
                decision.action = RepeatAction::PerformHome;
        } else if (first == 'H') {
            decision.action = RepeatAction::PerformTest;
        }
    }

    const bool stillRepeating = state.repeatChecked && !decision.endRepeatMode;
    decision.finishTest =
        (second == 'T' || second == 'M') && (!stillRepeating || decision.cyclesRequired == 0);
    return decision;
}
