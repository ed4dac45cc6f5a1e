#include "charts/plotlines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tw {
namespace {

constexpr PlotBox kBox{0, 0, 10, 10};

bool Inside(const PlotPoint& p)
{
    return p.x >= kBox.left && p.x <= kBox.right && p.y >= kBox.top && p.y <= kBox.bottom;
}

TEST(ClipPolyline, KeepsThePartsInsideTheBoxAsRuns)
{
    struct Case
    {
        const char* name;
        std::vector<PlotPoint> line;
        std::vector<PlotRun> runs;
    };
    const double nan = std::nan("");
    // By hand: where each segment meets the edge x = 10 or y = 0 / 10.
    const Case cases[] = {
        {"inside", {{1, 1}, {5, 5}, {9, 1}}, {{{1, 1}, {5, 5}, {9, 1}}}},
        {"out and back",
         {{2, 5}, {20, 5}, {2, 8}},
         {{{2, 5}, {10, 5}}, {{10, 5 + 3 * 10.0 / 18}, {2, 8}}}},
        {"across", {{-10, 5}, {20, 5}}, {{{0, 5}, {10, 5}}}},
        {"outside", {{-5, -5}, {-1, 20}}, {}},
        {"along an edge", {{0, 0}, {10, 0}}, {{{0, 0}, {10, 0}}}},
        {"from far above to far below", {{5, -1e300}, {5, 1e300}}, {{{5, 0}, {5, 10}}}},
        {"a point that is not finite", {{1, 1}, {nan, 2}, {3, 3}, {4, 4}}, {{{3, 3}, {4, 4}}}},
        {"one point inside", {{3, 4}}, {{{3, 4}}}},
        {"one point outside", {{30, 4}}, {}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<PlotRun> runs = ClipPolyline(c.line, kBox);
        ASSERT_EQ(runs.size(), c.runs.size());
        for (std::size_t r = 0; r < runs.size(); ++r) {
            ASSERT_EQ(runs[r].size(), c.runs[r].size()) << "run " << r;
            for (std::size_t i = 0; i < runs[r].size(); ++i) {
                EXPECT_TRUE(Inside(runs[r][i])) << "run " << r << " point " << i;
                EXPECT_NEAR(runs[r][i].x, c.runs[r][i].x, 1e-12) << "run " << r << " point " << i;
                EXPECT_NEAR(runs[r][i].y, c.runs[r][i].y, 1e-12) << "run " << r << " point " << i;
            }
        }
    }
}

TEST(StrokeFor, TakesAPathForTheSuitesCurvesAndSegmentsForNoise)
{
    struct Case
    {
        double length;
        CurveStroke stroke;
    };
    // A plot of 800 by 500: 1300 across.
    const Case cases[] = {
        {900, CurveStroke::Path},              // a smooth curve once across
        {5200, CurveStroke::Path},             // up and down a few times
        {5300, CurveStroke::Segments},         // a dozen noisy points
        {41600, CurveStroke::Segments},        // a few hundred
        {41700, CurveStroke::AliasedSegments}, // thousands
        {std::nan(""), CurveStroke::AliasedSegments},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(StrokeFor(c.length, 800, 500), c.stroke);
    }
}

} // namespace
} // namespace tw
