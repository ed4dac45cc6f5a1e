#pragma once
// Curves as lines in the plot's pixels: cut to the plot, and how to stroke them at a cost that
// grows with their length rather than with their crossings. Plain C++, for the painter above.

#include <vector>

namespace tw {

struct PlotPoint
{
    double x = 0;
    double y = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// A rectangle of pixels, top above bottom (y grows downwards).
struct PlotBox
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

using PlotRun = std::vector<PlotPoint>;

// The parts of a polyline inside box, in order: a run ends where the line leaves the box and
// a new one starts where it comes back. A point where the line crosses an edge lies exactly on
// that edge, however far outside the box the line's points are (a curve zoomed into puts them
// millions of pixels away). Points that are not finite break the line.
std::vector<PlotRun> ClipPolyline(const std::vector<PlotPoint>& line, const PlotBox& box);

// The length of all the runs' segments together.
double RunsLength(const std::vector<PlotRun>& runs);

// How a curve is stroked. A path of its own is the finest, but an antialiased path's cost
// grows with how often it crosses itself, which a noisy curve does at nearly every point; its
// segments one by one cost what their length does, and without antialiasing far less.
enum class CurveStroke { Path, Segments, AliasedSegments };

// By the curve's length against the plot's: up to a few times across, a path; then segments;
// a curve that fills the plot many times over is a band whose edges no antialiasing shows.
CurveStroke StrokeFor(double length, double plotWidth, double plotHeight);

} // namespace tw
