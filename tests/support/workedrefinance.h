#pragma once
#include "tools/refinance/refinance.h"

namespace tw::testing {

// The documented worked case of the refinance analysis: 200000 at 8 % for 30 years from age
// 40, refinanced at 45 into 6 % for 30 years with closing costs 3000 and one point; tax 15 %,
// savings 5 %. It breaks even in the second year over 62 rows.
inline RefinanceInput WorkedRefinance()
{
    RefinanceInput input;
    input.startAge = 40;
    input.existingAmount = 200000;
    input.existingRate = 8;
    input.existingYears = 30;
    input.refinanceAge = 45;
    input.refinancedAmount = 0;
    input.cashOut = 0;
    input.refinancedRate = 6;
    input.refinancedYears = 30;
    input.closingCosts = 3000;
    input.points = 1;
    input.taxRate = 15;
    input.savingsRate = 5;
    return input;
}

} // namespace tw::testing
