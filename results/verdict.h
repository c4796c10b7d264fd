#pragma once

#include "results/testmethod.h"
#include "results/testresults.h"

#include <QList>
#include <QString>

enum class Verdict
{
    None, // the method has no limits
    Pass,
    Fail
};

// A result outside its limits. belowLow is false for a result above its high side, and for a
// result that has a limit but was not computed (its result is empty then): BreachText tells them
// apart.
struct LimitBreach
{
    ResultKind kind;
    bool belowLow;
};

struct Judgement
{
    Verdict verdict = Verdict::None;
    QList<LimitBreach> breaches; // in the order of AllResultKinds
};

// PASS when every result that has a limit was computed and lies within its limits (limits
// included), FAIL otherwise, no verdict when the method has no limits. Results and method in the
// same units.
Judgement JudgeResults(const TestResults& results, const TestMethod& method);

// "PASS", "FAIL" or "".
QString VerdictText(Verdict verdict);

// "Maximum Force below its low limit", "Energy above its high limit", "Break Force not computed".
QString BreachText(const LimitBreach& breach, const TestResults& results);
