#pragma once

#include "sim/commandreader.h"
#include "sim/machineoptions.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

// The simulated QOR-1000. Its caller is its clock: it hands over the bytes the program sent
// (Receive), lets time pass (Advance) and collects the lines the machine sent (TakeReplies).
//
// The machine starts at home, in continuous mode, with the incremental force 10. Replies:
//   "C" -> "C" (continuous mode)          "I" -> "I" (incremental mode)
//   "MI" force CR -> CR (force stored)     "V" -> "V" and the version characters
//   "S" -> "S", any motion stops           "H" -> "U", then "H" at home ("H" at once when there)
//   "T" -> "D", then one record "dddd,ffff" (thousandths of an inch, pounds) per record interval
//          as the crosshead moves down, until the force reaches the maximum ("TM"), the crosshead
//          its travel limit ("TL") or the specimen breaks, its force below half its peak ("TT").
//          In incremental mode the crosshead holds with "ID" each time the force has risen by the
//          incremental force since the last hold, then goes on. A "T" during a test is ignored.
// Bytes that start no command are ignored.
class MachineModel
{
public:
    enum class Motion
    {
        Idle,
        Homing,
        Testing,
        Holding,
        PlayingScript
    };

    static constexpr double HomingCountsPerSecond = 400.0;
    static constexpr int StepCounts = 10;      // crosshead travel per record
    static constexpr int NoisePounds = 2;      // the force noise lies within plus or minus this
    static constexpr int BreakPeakPounds = 50; // below this peak nothing counts as a break
    static inline const QByteArray VersionCharacters = "1.0";

    explicit MachineModel(const MachineOptions& options = {});

    void Receive(const QByteArray& bytes);
    void Advance(int milliseconds);
    // Every line sent since the last call, each with its carriage return.
    QList<QByteArray> TakeReplies();

    Motion CurrentMotion() const { return motion_; }
    double Position() const { return position_; } // counts below home
    bool IncrementalMode() const { return incremental_; }
    int IncrementalForce() const { return incrementalForce_; }

private:
    void Execute(const MachineCommand& command);
    void StartHoming();
    void StartTest();
    void OnEvent();
    void TakeStep();
    void Send(const QByteArray& text);
    double RecordInterval() const;

    MachineOptions options_;
    CommandReader reader_;
    QRandomGenerator noise_;
    QList<QByteArray> replies_;

    Motion motion_ = Motion::Idle;
    double untilNextEvent_ = 0.0; // milliseconds
    double position_ = 0.0;
    bool incremental_ = false;
    int incrementalForce_ = 10;
    int peakForce_ = 0;
    int forceAtLastPause_ = 0;
    qsizetype nextScriptLine_ = 0;
};
