#include "control/repeatcycle.h"

namespace {

char CharacterAt(const QByteArray& line, int index)
{
    return index < line.size() ? line.at(index) : '\0';
}

} // namespace

std::optional<int> RepeatCount(const QString& text)
{
    bool isNumber = false;
    const int count = text.trimmed().toInt(&isNumber);
    return isNumber ? std::optional<int>(count) : std::nullopt;
}

RepeatCycleDecision DecideRepeatCycle(const QByteArray& line, const RepeatCycleState& state)
{
    const char first = CharacterAt(line, 0);
    const char second = CharacterAt(line, 1);
    const bool endsTest = second == 'T' || second == 'M';

    RepeatCycleDecision decision;
    if (state.repeatChecked) {
        if (first == 'T' && second == 'L') {
            decision.endRepeatMode = true;
        } else if (first == 'T' && endsTest) {
            decision.cyclesComplete = RepeatCount(state.cyclesCompleteText).value_or(0) + 1;
            if (const std::optional<int> required = RepeatCount(state.cyclesRequiredText))
                decision.cyclesRequired = qMax(0, *required - 1);
            if (decision.cyclesRequired == 0 || second == 'T')
                decision.endRepeatMode = true;
            else
                decision.action = RepeatAction::PerformHome;
        } else if (first == 'H') {
            decision.action = RepeatAction::PerformTest;
        }
    }

    if (endsTest) {
        // A line that counted no cycle (its first character is not "T") still finishes a series
        // whose required count reads 0.
        const bool stillRepeating = state.repeatChecked && !decision.endRepeatMode;
        decision.finishTest = !stillRepeating || (!decision.cyclesComplete &&
                                                  RepeatCount(state.cyclesRequiredText) == 0);
    }
    return decision;
}
