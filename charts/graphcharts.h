#pragma once
#include "charts/chart.h"
#include "charts/graphfile.h"

#include <optional>

namespace tw {

// The first point at which the refinanced future's net worth is at or above the existing
// one's (a tie counts, as it does for the form's months to break even); nothing when it never
// gets there. The file holds every fourth month, so the month found is the first plotted one,
// up to three months after the form's figure.
std::optional<std::size_t> FindBreakEven(const std::vector<double>& existing,
                                         const std::vector<double>& refinanced);

// The refinance graph: the file's two curves over months since refinancing, the break-even
// point marked "Break-even: month N", or a note that it never breaks even.
Chart RefinanceChart(const GraphFile& file);

// The trade-off graph: one curve per named option over the periods.
Chart TradeChart(const GraphFile& file);

} // namespace tw
