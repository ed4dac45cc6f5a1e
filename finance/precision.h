#pragma once
// The arithmetic core: loan arithmetic, number reading and money formatting.
// Plain C++ with no windowing or toolkit dependency; every layer above may use it.
//
// Numbers are held in single precision and computed in extended precision: each formula
// runs in long double (x87 80-bit on x86-64) from the stored float values, and the result
// is rounded to float when it is stored. StoreFloat is that rounding, written out wherever
// a value is stored so that no rounding happens by accident.

namespace tw {

using Money = float;   // dollars
using Percent = float; // 7.5 means 7.5 %
using Age = float;     // years of age
using Extended = long double;

// Rounds an extended value to the nearest float (ties to even); the one place values are stored.
constexpr float StoreFloat(Extended value)
{
    return static_cast<float>(value);
}

// 0.01 is the ordinary double constant, widened exactly; not 0.01L and not a division by 100.
// Whole amounts and rates often land on a tie between two floats, and only this reading
// rounds those ties the way the documented figures expect.
inline constexpr double kHundredth = 0.01;
inline constexpr Extended kTwelfth = 1.0L / 12;
inline constexpr Extended kOneOver365 = 1.0L / 365;

// Yearly percent to the rate per month: float((R × 0.01) × (1/12)).
constexpr float MonthlyRate(Percent yearly)
{
    return StoreFloat(static_cast<Extended>(yearly) * kHundredth * kTwelfth);
}

} // namespace tw
