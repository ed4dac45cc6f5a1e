#pragma once
#include "charts/chart.h"
#include "charts/graphfile.h"

#include <optional>

namespace tw {

// What a refinance graph file tells of the form's Months to Break Even: the whole months
// before the month in which the refinanced future's net worth first reaches the existing
// one's (a tie counts). A point at month x holds the net worth after x months, so the first
// point at or past break-even after month 0 (which is no month of the analysis) puts the
// form's figure at most at x − 1, and the point before it, still short of it, at least at
// that point's month. The file holds every fourth month, so this is a range of four months
// unless the points lie a month apart.
struct BreakEven
{
    std::size_t index = 0; // the first point at or past break-even
    double fewest = 0;     // the form's months to break even: from fewest
    double most = 0;       // to most
};

std::optional<BreakEven> FindBreakEven(const std::vector<double>& months,
                                       const std::vector<double>& existing,
                                       const std::vector<double>& refinanced);

// The refinance graph: the file's two curves over months since refinancing, the first point
// at or past break-even marked "Months to break even: 16 to 19" (or the month alone when the
// file pins it down), or a note that it never breaks even.
Chart RefinanceChart(const GraphFile& file);

// The trade-off graph: one curve per named option over the periods the form analysed, from
// period 0 to the whole periods n; the file's extra row n + 1 is left out, so the last point
// of each curve is the form's End Amount.
Chart TradeChart(const GraphFile& file);

} // namespace tw
