#pragma once
// The savings, rate and debt calculators: each computation is a free function over plain
// structs, kept apart from its form so that it runs and is tested without any window.
// Only the arithmetic core (finance/) is used here.

#include "finance/precision.h"

namespace tw {

struct InflationInput
{
    Age startAge = 0;
    Age endAge = 0;
    Percent rate = 0; // yearly, 3 means 3 %
    Money amount = 0; // at the start age
};

struct InflationResult
{
    Money amount = 0;   // at the end age
    int years = 0;      // compounding steps taken
    bool finite = true; // false when the amount grew past the float range
};

// Compounds yearly from trunc(start age) up to trunc(end age), each age truncated on its
// own, so 30.9 to 31.1 is one year and 30.2 to 30.9 none:
//   amount = float(amount + amount × rate × 0.01), once a year.
// The form has checked that both ages lie in 1 to 120.
InflationResult InflateAmount(const InflationInput& input);

} // namespace tw
