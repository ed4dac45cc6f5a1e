#include "tools/calculators/inflation.h"

#include "tools/calculators/truncatecount.h"

#include <cmath>

namespace tw {

InflationResult InflateAmount(const InflationInput& input)
{
    InflationResult result;
    result.amount = input.amount;
    const int first = TruncateCount(input.startAge);
    const int last = TruncateCount(input.endAge);
    for (int year = first; year < last; ++year) {
        result.amount =
            StoreFloat(Extended{result.amount} + Extended{result.amount} * input.rate * kHundredth);
        ++result.years;
        if (!std::isfinite(result.amount))
            break; // past the float range nothing comes back
    }
    result.finite = std::isfinite(result.amount);
    return result;
}

} // namespace tw
