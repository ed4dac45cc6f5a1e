#pragma once
#include "charts/chart.h"

#include <string>

namespace tw {

// What a chart shows, in one sentence for a screen reader: the quantity, the curves and the
// range of x, then the break-even mark or the note, and for a chart over periods each curve's
// amount at the last period the form analysed. "Net worth of Existing and Refinanced over
// months since refinancing 0 to 360; Months to break even: 60 to 63."
std::string ChartSummary(const Chart& chart);

} // namespace tw
