#pragma once
#include "finance/precision.h"

namespace tw {

struct CardPayoffInput
{
    Money balance = 0;
    Percent rate = 0;    // yearly
    Money payment = 0;   // each month
    Money purchases = 0; // charged to the card each month
};

struct CardPayoffResult
{
    float months = 0; // a whole number, at most 1200
    float years = 0;  // months × (1/12)
    Money interest = 0;
    // false when the balance or the interest grew past the float range: the other values
    // then mean nothing.
    bool finite = true;
    // false when the 1200 months end with a balance still owed: a payment that does not
    // cover the interest and the purchases never pays it off.
    bool cleared = true;
};

inline constexpr int kCardMonthLimit = 1200; // 100 years

// Month by month, at most 1200 months, every value stored as a float:
//   B = X + B; I = B × R × (1/365) × 30 × 0.01 (a 30-day month of a 365-day year);
//   if B − P > P: B = B − (P − I), T = T + I, and a balance now at or below 0 ends the
//   payoff without counting the month; otherwise the rest is paid this month: T = T + I,
//   B = 0. Each month counted ends the payoff once B ≤ 0.
// A payment that never covers the interest runs the full 1200 months.
CardPayoffResult PayOffCard(const CardPayoffInput& input);

} // namespace tw
