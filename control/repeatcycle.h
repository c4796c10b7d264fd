#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What one received line does to repeat cycling and whether it finishes the test. The decision
// looks only at the line's first two raw characters, whatever kind of reply the line is.

enum class RepeatAction
{
    None,
    PerformHome,
    PerformTest
};

// The repeat controls as the panel shows them. The two counts are read only for a line that
// needs them: one that ends a cycle ("TM", "TT"), or any line whose second character is "M" or
// "T" while repeat mode stays on.
struct RepeatCycleState
{
    bool repeatChecked = false;
    QString cyclesCompleteText = QStringLiteral("0");
    QString cyclesRequiredText = QStringLiteral("1");
};

struct RepeatCycleDecision
{
    // The counts to write back, set only when the line counted a cycle. A required count that
    // reads no number (the operator is typing a new one) is left as it is.
    std::optional<int> cyclesComplete;
    std::optional<int> cyclesRequired;
    bool endRepeatMode = false;
    RepeatAction action = RepeatAction::None;
    bool finishTest = false;
};

// The number in a count field, blanks around it ignored; nothing when the field holds no number.
std::optional<int> RepeatCount(const QString& text);

// line is the received line, its carriage return may be included. The cycles still required never
// drop below 0: a count that is used up ends repeat mode. A required count that holds no number
// is taken as cycles still to come: the series goes on, and the number the operator types next
// counts from the next end of a test.
RepeatCycleDecision DecideRepeatCycle(const QByteArray& line, const RepeatCycleState& state);
