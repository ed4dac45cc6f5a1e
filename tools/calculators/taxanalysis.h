#pragma once
#include "finance/precision.h"

namespace tw {

struct TaxInput
{
    Money amount = 0; // invested at the start
    int years = 1;
    Percent returnRate = 0;    // effective yearly rate of return
    Percent taxRate = 0;       // taxed share of each year's return
    Percent inflationRate = 0; // yearly
};

// Every value is stored (rounded to float) as it is computed; pow is PowerInt, repeated
// multiplication in single precision.
struct TaxResult
{
    Percent afterTaxReturn = 0; // a = y − t × 0.01 × y
    float nominalGrowth = 0;    // g1 = pow(a × 0.01 + 1, n) − 1
    float realRate = 0;         // r = (a × 0.01 + 1) / (f × 0.01 + 1) − 1, a fraction
    float realGrowth = 0;       // g2 = pow(1 + r, n) − 1
    Money endValue = 0;         // W = g1 × A + A
    Money todayValue = 0;       // T = g2 × A + A, in today's money
    Percent realYearlyRate = 0; // e = (T − A) / A × 100 / n: the real gain spread evenly
                                // over the years, not a compound rate
};

// The caller guarantees amount > 0 and years > 0. Rates are taken as typed: an after-tax
// return of −100 % or less, or an inflation rate of −100 %, gives values with no meaning,
// possibly beyond the float range (see IsShowable).
TaxResult AnalyzeTaxes(const TaxInput& input);

// Whether every value of the result is a finite float, so that it can be shown.
bool IsShowable(const TaxResult& result);

} // namespace tw
