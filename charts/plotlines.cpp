#include "charts/plotlines.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

enum Edge { kNoEdge = -1, kLeft, kRight, kTop, kBottom };

// The point a + t (b − a), on edge exactly when the parameter came from it, and never outside
// the box by a rounding.
PlotPoint PointAt(PlotPoint a, PlotPoint b, double t, int edge, const PlotBox& box)
{
    if (edge == kNoEdge)
        return t <= 0 ? a : b;
    PlotPoint p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    p.x = std::clamp(p.x, box.left, box.right);
    p.y = std::clamp(p.y, box.top, box.bottom);
    switch (edge) {
    case kLeft:
        p.x = box.left;
        break;
    case kRight:
        p.x = box.right;
        break;
    case kTop:
        p.y = box.top;
        break;
    default:
        p.y = box.bottom;
        break;
    }
    return p;
}

struct Clipped
{
    PlotPoint from;
    PlotPoint to;
    bool fromInside = false; // from is a itself, not a crossing
    bool toInside = false;   // to is b itself
};

// Liang–Barsky: a + t (b − a) lies inside where every edge's p t ≤ q, for t in [0, 1].
bool ClipSegment(PlotPoint a, PlotPoint b, const PlotBox& box, Clipped& out)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
    double t0 = 0;
    double t1 = 1;
    int edge0 = kNoEdge;
    int edge1 = kNoEdge;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0 && t > t0) {
            t0 = t;
            edge0 = i;
        } else if (p[i] > 0 && t < t1) {
            t1 = t;
            edge1 = i;
        }
    }
    if (t0 > t1)
        return false;
    out = {PointAt(a, b, t0, edge0, box), PointAt(a, b, t1, edge1, box), edge0 == kNoEdge,
           edge1 == kNoEdge};
    return true;
}

bool Finite(PlotPoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

} // namespace

std::vector<PlotRun> ClipPolyline(const std::vector<PlotPoint>& line, const PlotBox& box)
{
    std::vector<PlotRun> runs;
    if (!(box.left <= box.right && box.top <= box.bottom))
        return runs;
    bool open = false; // the last run ends at the last point, inside the box
    if (line.size() == 1 && Finite(line[0])) {
        Clipped single;
        if (ClipSegment(line[0], line[0], box, single))
            runs.push_back({line[0]});
        return runs;
    }
    for (std::size_t i = 1; i < line.size(); ++i) {
        Clipped part;
        if (!Finite(line[i - 1]) || !Finite(line[i]) ||
            !ClipSegment(line[i - 1], line[i], box, part)) {
            open = false;
            continue;
        }
        if (!(open && part.fromInside))
            runs.push_back({part.from});
        runs.back().push_back(part.to);
        open = part.toInside;
    }
    return runs;
}

double RunsLength(const std::vector<PlotRun>& runs)
{
    double length = 0;
    for (const PlotRun& run : runs) {
        for (std::size_t i = 1; i < run.size(); ++i)
            length += std::hypot(run[i].x - run[i - 1].x, run[i].y - run[i - 1].y);
    }
    return length;
}

CurveStroke StrokeFor(double length, double plotWidth, double plotHeight)
{
    // A curve of the suite's runs once across and a little up and down; a handful of
    // crossings cost a path little.
    constexpr double kPathAcross = 4;
    // Past this a curve covers much of the plot, and its segments cost more with
    // antialiasing than the picture gains.
    constexpr double kAntialiasedAcross = 32;
    const double across = std::max(plotWidth + plotHeight, 1.0);
    if (!(length <= kAntialiasedAcross * across))
        return CurveStroke::AliasedSegments;
    return length <= kPathAcross * across ? CurveStroke::Path : CurveStroke::Segments;
}

} // namespace tw
