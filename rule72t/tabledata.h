#pragma once
// The published tables as the program carries them: the rows of rule72t/data/*.csv, compiled
// in at build time, in the files' order. The lookups in lifetables.h are what the computation
// uses; the rows are for them and for the tests that rebuild the tables from the rates.

#include <span>

namespace tw::rule72t {

struct AgeValue
{
    int age;
    double value;
};

struct AgesValue
{
    int owner;
    int beneficiary;
    double value;
};

// Single Life Table, ages 0 to 120 (120 stands for "120 and over"), life expectancy in years.
std::span<const AgeValue> SingleLifeRows();
// Uniform Lifetime Table, ages 10 to 120.
std::span<const AgeValue> UniformLifetimeRows();
// The mortality rates q_x the tables are built from, ages 0 to 120.
std::span<const AgeValue> MortalityRows();
// Joint and Last Survivor Table, owner ages 0 to 120, each with beneficiary ages 0 to 120.
std::span<const AgesValue> JointRows();

} // namespace tw::rule72t
