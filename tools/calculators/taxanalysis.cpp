#include "tools/calculators/taxanalysis.h"

#include "finance/loan.h"

#include <cmath>

namespace tw {

TaxResult AnalyzeTaxes(const TaxInput& in)
{
    TaxResult out;
    const Extended amount = in.amount;
    out.afterTaxReturn =
        StoreFloat(Extended{in.returnRate} - Extended{in.taxRate} * kHundredth * in.returnRate);

    // The growth factor is handed to PowerInt as a float; the real rate's numerator is not
    // stored on its own.
    const float nominalFactor = StoreFloat(Extended{out.afterTaxReturn} * kHundredth + 1);
    out.nominalGrowth = StoreFloat(Extended{PowerInt(nominalFactor, in.years)} - 1);
    out.realRate = StoreFloat((Extended{out.afterTaxReturn} * kHundredth + 1) /
                                  (Extended{in.inflationRate} * kHundredth + 1) -
                              1);
    const float realFactor = StoreFloat(Extended{1} + out.realRate);
    out.realGrowth = StoreFloat(Extended{PowerInt(realFactor, in.years)} - 1);

    out.endValue = StoreFloat(Extended{out.nominalGrowth} * amount + amount);
    out.todayValue = StoreFloat(Extended{out.realGrowth} * amount + amount);
    out.realYearlyRate = StoreFloat((Extended{out.todayValue} - amount) / amount * 100 / in.years);
    return out;
}

bool IsShowable(const TaxResult& r)
{
    return std::isfinite(r.afterTaxReturn) && std::isfinite(r.nominalGrowth) &&
           std::isfinite(r.realRate) && std::isfinite(r.realGrowth) && std::isfinite(r.endValue) &&
           std::isfinite(r.todayValue) && std::isfinite(r.realYearlyRate);
}

} // namespace tw
