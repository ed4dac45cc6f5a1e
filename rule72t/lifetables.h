#pragma once
// The life tables of the 2022 regulations and what follows from their mortality rates: the
// table lookups the three methods use, the survival curves and the annuity factor of the
// fixed annuitization method. Plain C++ without Qt, in double precision.

#include <optional>
#include <string_view>
#include <vector>

namespace tw::rule72t {

enum class LifeTable { Uniform, Single, Joint };

// The oldest age of every table; it stands for that age and over.
inline constexpr int kOldestAge = 120;
// The Uniform Lifetime Table starts here; the other two at 0.
inline constexpr int kUniformFirstAge = 10;
// The Uniform Lifetime Table is the joint table with a beneficiary this much younger.
inline constexpr int kUniformAgeGap = 10;

int FirstAge(LifeTable table);
// "Uniform Lifetime", "Single Life", "Joint and Last Survivor".
std::string_view TableName(LifeTable table);

// The table's entry in years for the ages in the distribution year (the beneficiary's only
// for the joint table); an age over 120 reads the entry of 120. Nothing for an age below the
// table's first age.
std::optional<double> TableYears(LifeTable table, int ownerAge, int beneficiaryAge = 0);

// q_x of the regulations, with q_120 taken as 1 so that nobody outlives the table.
double MortalityRate(int age);

// t p for t = 1, 2, … until it is 0: the chance that someone aged x is alive t years on,
// tp_x = (1 − q_x)(1 − q_x+1)…(1 − q_x+t−1). With a second age, the chance that at least one of
// the two is: tp_x + tp_y − tp_x·tp_y.
std::vector<double> Survival(int age);
std::vector<double> Survival(int age, int otherAge);

// The life expectancy a table holds, built from the rates: Σ_{t≥1} tp + 11/24, rounded half up
// to one decimal, at least 1.0.
double TableYearsFromRates(const std::vector<double>& survival);

// The fixed annuitization factor a = Σ_{t≥1} tp·(1 + i)^−t, payments at the end of each year,
// for the lives the table is about: the owner alone (single), owner and beneficiary (joint),
// or owner and a beneficiary ten years younger (uniform, as that table is built).
// rate is a fraction a year (0.04 for 4 %).
double AnnuityFactor(LifeTable table, int ownerAge, int beneficiaryAge, double rate);

} // namespace tw::rule72t
