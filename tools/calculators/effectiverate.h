#pragma once
#include "finance/precision.h"

namespace tw {

struct EffectiveRateInput
{
    Percent nominal = 0;  // nominal yearly rate
    int compoundings = 1; // per year, at least 1
};

// E = (pow(1 + x, n) − 1) × 100 with x = float(float(r × 0.01) / n) and pow the
// single-precision repeated multiplication PowerInt (n − 1 products), so daily compounding
// of 6 % gives 6.1834 rather than the exact 6.1831.
Percent EffectiveYearlyRate(const EffectiveRateInput& input);

} // namespace tw
