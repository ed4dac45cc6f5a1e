#pragma once
#include <climits>
#include <cmath>

namespace tw {

// A float count (years, periods, compoundings) truncated toward zero, as a whole number.
// Values beyond the int range stay at its ends instead of being undefined; NaN counts as 0.
inline int TruncateCount(float value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::trunc(static_cast<double>(value));
    if (whole <= static_cast<double>(INT_MIN))
        return INT_MIN;
    if (whole >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(whole);
}

} // namespace tw
