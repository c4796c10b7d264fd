#include "graph/curveenvelope.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// How far, in pixels, a segment's track may stray beyond what is drawn and still be left out: well
// inside the pen's half width, so it changes no more than the edge of an antialiased line.
constexpr double Tolerance = 0.5;
// How far a joint of a straight stretch may lie from the one segment that draws it.
constexpr double Straightness = 0.25;

double Length(const QPointF& vector)
{
    return std::hypot(vector.x(), vector.y());
}

// Positive when to turns from from the one way, negative when the other.
double Turn(const QPointF& from, const QPointF& to)
{
    return from.x() * to.y() - from.y() * to.x();
}

} // namespace

CurveEnvelope::CurveEnvelope(int columns)
    : columns_(std::max(columns, 0)), drawn_(std::size_t(columns_) + 2)
{
}

int CurveEnvelope::Column(double x) const
{
    if (!(x >= 0.0)) // also a point that is not a number
        return -1;
    if (x >= columns_)
        return columns_;
    return int(x);
}

void CurveEnvelope::Add(const QPointF& point)
{
    const int column = Column(point.x());
    if (hasRun_ && column == run_.column) {
        if (point.y() < run_.least.y()) {
            run_.least = point;
            run_.leastCameFirst = false;
        }
        if (point.y() > run_.greatest.y()) {
            run_.greatest = point;
            run_.leastCameFirst = true;
        }
        run_.last = point;
        return;
    }
    if (hasRun_)
        FinishRun();
    run_ = Run{column, point, point, point, point, true};
    hasRun_ = true;
}

// Calls take with each segment from the run before through the run's envelope.
template <typename Take> void CurveEnvelope::ForEachRunSegment(const Run& run, Take take) const
{
    const QPointF& earlier = run.leastCameFirst ? run.least : run.greatest;
    const QPointF& later = run.leastCameFirst ? run.greatest : run.least;
    const QPointF* from = hasAnchor_ ? &anchor_ : nullptr;
    for (const QPointF* to : {&run.first, &earlier, &later, &run.last}) {
        if (from && *from != *to)
            take(QLineF(*from, *to));
        if (!from || *from != *to)
            from = to;
    }
}

QList<QLineF> CurveEnvelope::Open() const
{
    QList<QLineF> segments;
    if (hasStretch_)
        segments.append(QLineF(stretch_.start, stretch_.end));
    if (hasRun_)
        ForEachRunSegment(run_, [&](const QLineF& segment) { segments.append(segment); });
    return segments;
}

void CurveEnvelope::FinishRun()
{
    ForEachRunSegment(run_, [this](const QLineF& segment) { Extend(segment); });
    anchor_ = run_.last;
    hasAnchor_ = true;
}

void CurveEnvelope::Emit(const QLineF& segment)
{
    bool drawn = true;
    ForEachColumn(segment, [&](int column, double low, double high) {
        drawn = drawn && Drawn(column, low, high);
    });
    if (drawn)
        return;
    finished_.append(segment);
    ForEachColumn(segment,
                  [this](int column, double low, double high) { MarkDrawn(column, low, high); });
}

void CurveEnvelope::Extend(const QLineF& segment)
{
    if (hasStretch_ && segment.p1() == stretch_.end) {
        Stretch longer = stretch_;
        if (Narrow(longer, segment.p2())) {
            stretch_ = longer;
            return;
        }
    }
    if (hasStretch_)
        Emit(QLineF(stretch_.start, stretch_.end));
    stretch_ = {};
    stretch_.start = segment.p1();
    stretch_.end = segment.p2();
    hasStretch_ = true;
}

// Moves the stretch's end on to a new end, its old end becoming a joint; false when the straight
// segment to the new end would leave a joint too far, and the stretch is to end where it is.
bool CurveEnvelope::Narrow(Stretch& stretch, const QPointF& end) const
{
    const QPointF joint = stretch.end - stretch.start;
    const double jointDistance = Length(joint);
    if (jointDistance > Straightness) {
        // The joint's direction turned either way by the angle whose sine is the distance allowed
        // over the joint's.
        const QPointF along = joint / jointDistance;
        const double sine = Straightness / jointDistance;
        const double cosine = std::sqrt(1.0 - sine * sine);
        const QPointF lower(along.x() * cosine + along.y() * sine,
                            along.y() * cosine - along.x() * sine);
        const QPointF upper(along.x() * cosine - along.y() * sine,
                            along.y() * cosine + along.x() * sine);
        if (!stretch.bounded || Turn(stretch.lower, lower) > 0.0)
            stretch.lower = lower;
        if (!stretch.bounded || Turn(upper, stretch.upper) > 0.0)
            stretch.upper = upper;
        stretch.bounded = true;
    }
    stretch.reach = std::max(stretch.reach, jointDistance);
    const QPointF toEnd = end - stretch.start;
    if (stretch.bounded && (Turn(stretch.lower, toEnd) < 0.0 || Turn(toEnd, stretch.upper) < 0.0))
        return false;
    if (Length(toEnd) + Straightness < stretch.reach)
        return false;
    stretch.end = end;
    return true;
}

template <typename Visit>
void CurveEnvelope::ForEachColumn(const QLineF& segment, Visit visit) const
{
    const bool rightwards = segment.x1() <= segment.x2();
    const QPointF from = rightwards ? segment.p1() : segment.p2();
    const QPointF to = rightwards ? segment.p2() : segment.p1();
    const double run = to.x() - from.x();
    const auto yAt = [&](double x) {
        return run > 0.0 ? from.y() + (to.y() - from.y()) * (x - from.x()) / run : from.y();
    };
    constexpr double Unbounded = std::numeric_limits<double>::infinity();
    const int last = Column(to.x());
    for (int column = Column(from.x()); column <= last; ++column) {
        const double left = column < 0 ? -Unbounded : column;
        const double right = column >= columns_ ? Unbounded : column + 1.0;
        const double enter = yAt(std::max(from.x(), left));
        // A vertical segment spans its whole height in its one column.
        const double leave = run > 0.0 ? yAt(std::min(to.x(), right)) : to.y();
        visit(column, std::min(enter, leave), std::max(enter, leave));
    }
}

bool CurveEnvelope::Drawn(int column, double low, double high) const
{
    const std::vector<Span>& spans = drawn_[std::size_t(column + 1)];
    return std::ranges::any_of(spans, [&](const Span& span) {
        return span.low - Tolerance <= low && high <= span.high + Tolerance;
    });
}

void CurveEnvelope::MarkDrawn(int column, double low, double high)
{
    // The spans of a column stay apart and in order: a new one swallows those it touches.
    std::vector<Span>& spans = drawn_[std::size_t(column + 1)];
    Span merged{low, high};
    const auto touching = [&](const Span& span) {
        return span.high + Tolerance >= low && span.low - Tolerance <= high;
    };
    for (const Span& span : spans) {
        if (touching(span)) {
            merged.low = std::min(merged.low, span.low);
            merged.high = std::max(merged.high, span.high);
        }
    }
    std::erase_if(spans, touching);
    spans.insert(std::ranges::upper_bound(spans, merged.low, {}, &Span::low), merged);
}
