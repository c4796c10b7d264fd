#pragma once

#include <QString>

// The largest force among the data records of one test and the displacement where it occurred.
// The first record offered after a reset always sets it, so a test whose forces are all 0 still
// reports its own first record; a later record of equal force keeps the earlier one.
class TestMaximum
{
public:
    void Reset();
    // True when the record becomes the maximum.
    bool Offer(double force, double displacement);

    double Force() const { return force_; }
    double Displacement() const { return displacement_; }

private:
    bool holdsRecord_ = false;
    double force_ = 0.0;
    double displacement_ = 0.0;
};

// Line 1 of a finished test: "Maximum Force (lbs.)=523 at Displacement (in.)=0.512", from the
// read-out captions and the texts the maximum was shown with.
QString SummaryLine(const QString& forceCaption, const QString& forceText,
                    const QString& displacementCaption, const QString& displacementText);
