#pragma once

#include <QLineF>
#include <QList>
#include <QPointF>

#include <vector>

// The segments that draw a curve of many points on a screen as drawing every point would, in
// numbers bounded by the pixels rather than the points. The points come in the order of the curve,
// in pixels of the plot: x from its left edge, y down from its top.
//
// Points that fall into one pixel column one after another are drawn by their envelope there: the
// first, the highest and the lowest in the order they came, and the last. A segment whose track
// is already drawn in every column it crosses, to within a fraction of a pixel, is left out, so a
// curve that runs over its own track again (the cycles of a repeat series, a curve that comes
// back) adds little. Both rely on the pen being at least two pixels wide: it then covers the
// whole width of a column on either side of the track. Segments that follow one another nearly
// in a straight line are drawn as one, so a straight stretch costs one segment, not one a column.
class CurveEnvelope
{
public:
    // The plot's width in pixel columns; points beyond either edge share the column just outside.
    explicit CurveEnvelope(int columns);

    void Add(const QPointF& point);

    // The segments of the columns the curve has left, in the order of the curve.
    const QList<QLineF>& Finished() const { return finished_; }
    // The segments still open to change by later points: the straight stretch being drawn, and
    // those into and within the column the curve is in now.
    QList<QLineF> Open() const;

private:
    // Points that followed one another in one column.
    struct Run
    {
        int column = 0;
        QPointF first;
        QPointF last;
        QPointF least; // smallest y
        QPointF greatest;
        bool leastCameFirst = true;
    };
    struct Span
    {
        double low;
        double high;
    };
    // Segments joined end to end that one straight segment from start to end draws within a
    // fraction of a pixel. The directions from start that keep every joint near enough lie
    // between lower and upper, turning one way, once a joint has bounded them.
    struct Stretch
    {
        QPointF start;
        QPointF end;
        double reach = 0.0; // the farthest joint from start
        bool bounded = false;
        QPointF lower;
        QPointF upper;
    };

    int Column(double x) const;
    template <typename Take> void ForEachRunSegment(const Run& run, Take take) const;
    void FinishRun();
    void Emit(const QLineF& segment);
    void Extend(const QLineF& segment);
    bool Narrow(Stretch& stretch, const QPointF& joint) const;
    // Calls visit(column, low, high) with the y range the segment spans in each column it crosses.
    template <typename Visit> void ForEachColumn(const QLineF& segment, Visit visit) const;
    bool Drawn(int column, double low, double high) const;
    void MarkDrawn(int column, double low, double high);

    int columns_;
    bool hasRun_ = false;
    Run run_;
    bool hasAnchor_ = false;
    QPointF anchor_; // the last point of the run before, where the next run's first segment starts
    bool hasStretch_ = false;
    Stretch stretch_;
    QList<QLineF> finished_;
    // Per column (index 0 is the column left of the plot), the y ranges of the track drawn there.
    std::vector<std::vector<Span>> drawn_;
};
