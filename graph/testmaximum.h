#pragma once

#include <QString>

// The largest force among the data records of the lines being collected, with the read-out texts
// of the record that first reached it. Reset whenever those lines are emptied and when a test is
// finished; the first record after a reset always sets it, so a test whose forces are all 0 still
// reports its own first record.
class MaxForce
{
public:
    void Reset();
    // A data record as shown on the read-outs; a force equal to the maximum keeps the earlier one.
    void Offer(double force, const QString& forceText, const QString& displacementText);

    double Force() const { return force_; }
    QString ForceText() const { return forceText_; }
    QString DisplacementText() const { return displacementText_; }

private:
    bool holdsRecord_ = false;
    double force_ = 0.0;
    QString forceText_ = QStringLiteral("0");
    QString displacementText_ = QStringLiteral("0");
};
