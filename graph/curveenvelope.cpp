#include "graph/curveenvelope.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// How far, in pixels, a segment's track may stray beyond what is drawn and still be left out: well
// inside the pen's half width, so it changes no more than the edge of an antialiased line.
constexpr double Tolerance = 0.5;
// How far a joint of a straight stretch may lie from the one segment that draws it.
constexpr double Straightness = 0.25;

double Direction(const QPointF& from, const QPointF& to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x());
}

double Distance(const QPointF& from, const QPointF& to)
{
    return std::hypot(to.x() - from.x(), to.y() - from.y());
}

// An angle brought into -pi to pi.
double Turned(double angle)
{
    return std::remainder(angle, 2 * std::numbers::pi);
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

// The segments from the run before through the run's envelope.
QList<QLineF> CurveEnvelope::RunSegments(const Run& run) const
{
    QList<QPointF> vertices;
    if (hasAnchor_)
        vertices.append(anchor_);
    const QPointF& earlier = run.leastCameFirst ? run.least : run.greatest;
    const QPointF& later = run.leastCameFirst ? run.greatest : run.least;
    for (const QPointF& vertex : {run.first, earlier, later, run.last}) {
        if (vertices.isEmpty() || vertices.constLast() != vertex)
            vertices.append(vertex);
    }
    QList<QLineF> segments;
    for (qsizetype i = 1; i < vertices.size(); ++i)
        segments.append(QLineF(vertices[i - 1], vertices[i]));
    return segments;
}

QList<QLineF> CurveEnvelope::Open() const
{
    QList<QLineF> segments;
    if (hasStretch_)
        segments.append(QLineF(stretch_.start, stretch_.end));
    if (hasRun_)
        segments.append(RunSegments(run_));
    return segments;
}

void CurveEnvelope::FinishRun()
{
    for (const QLineF& segment : RunSegments(run_))
        Extend(segment);
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
    stretch_ =
        Stretch{segment.p1(),      segment.p2(),    0.0, Direction(segment.p1(), segment.p2()),
                -std::numbers::pi, std::numbers::pi};
    hasStretch_ = true;
}

// Moves the stretch's end on to a new end, its old end becoming a joint; false when the straight
// segment to the new end would leave a joint too far, and the stretch is to end where it is.
bool CurveEnvelope::Narrow(Stretch& stretch, const QPointF& end) const
{
    const double jointDistance = Distance(stretch.start, stretch.end);
    if (jointDistance > Straightness) {
        const double joint = Turned(Direction(stretch.start, stretch.end) - stretch.direction);
        const double allowed = std::asin(Straightness / jointDistance);
        stretch.narrowest = std::max(stretch.narrowest, joint - allowed);
        stretch.widest = std::min(stretch.widest, joint + allowed);
    }
    stretch.reach = std::max(stretch.reach, jointDistance);
    const double toEnd = Turned(Direction(stretch.start, end) - stretch.direction);
    if (toEnd < stretch.narrowest || toEnd > stretch.widest ||
        Distance(stretch.start, end) + Straightness < stretch.reach)
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
