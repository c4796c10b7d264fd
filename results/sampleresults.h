#pragma once

#include "results/samplestatistics.h"
#include "results/testmethod.h"
#include "results/testresults.h"
#include "results/verdict.h"

#include <QList>
#include <QString>
#include <QStringList>

// One test of a sample, judged.
struct TestEntry
{
    QString name;
    TestResults results;
    Judgement judgement;
    QString failure; // why the test has no results (a record that is not a number); empty if none
};

struct SampleResults
{
    QList<TestEntry> tests;
    SampleStatistics statistics;
};

struct NamedTest
{
    QString name;
    QStringList lines;
};

// The results and verdict of every test in the given units, and their statistics. A test whose
// records cannot be read keeps its failure and is left out of the statistics.
SampleResults EvaluateTests(const QList<NamedTest>& tests, const TestMethod& method, bool english);

// Why a test failed: "Maximum Force below its low limit; Energy not computed".
QString BreachReasons(const Judgement& judgement, const TestResults& results);

// "PASS", "FAIL: Maximum Force below its low limit; Energy not computed", or "" without limits.
QString JudgementText(const Judgement& judgement, const TestResults& results);
