#include "tools/calculators/effectiverate.h"

#include "finance/loan.h"

namespace tw {

Percent EffectiveYearlyRate(const EffectiveRateInput& input)
{
    const float yearly = StoreFloat(Extended{input.nominal} * kHundredth);
    const float perPeriod = StoreFloat(Extended{yearly} / input.compoundings);
    const float factor = StoreFloat(Extended{1} + perPeriod);
    return StoreFloat((Extended{PowerInt(factor, input.compoundings)} - 1) * 100);
}

} // namespace tw
