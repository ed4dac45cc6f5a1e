#include "rule72t/lifetables.h"

#include "rule72t/tabledata.h"

#include <algorithm>
#include <cmath>

namespace tw::rule72t {

namespace {

constexpr int kAges = kOldestAge + 1;

int Capped(int age)
{
    return std::min(age, kOldestAge);
}

} // namespace

int FirstAge(LifeTable table)
{
    return table == LifeTable::Uniform ? kUniformFirstAge : 0;
}

std::string_view TableName(LifeTable table)
{
    switch (table) {
    case LifeTable::Uniform:
        return "Uniform Lifetime";
    case LifeTable::Single:
        return "Single Life";
    case LifeTable::Joint:
        break;
    }
    return "Joint and Last Survivor";
}

// The rows are in age order with no gaps (the tests hold the files to that), so an age is
// its row's position from the table's first age.
std::optional<double> TableYears(LifeTable table, int ownerAge, int beneficiaryAge)
{
    const int first = FirstAge(table);
    if (ownerAge < first || (table == LifeTable::Joint && beneficiaryAge < 0))
        return std::nullopt;
    switch (table) {
    case LifeTable::Uniform:
        return UniformLifetimeRows()[static_cast<std::size_t>(Capped(ownerAge) - first)].value;
    case LifeTable::Single:
        return SingleLifeRows()[static_cast<std::size_t>(Capped(ownerAge))].value;
    case LifeTable::Joint:
        break;
    }
    const auto row = static_cast<std::size_t>(Capped(ownerAge) * kAges + Capped(beneficiaryAge));
    return JointRows()[row].value;
}

double MortalityRate(int age)
{
    const int capped = std::clamp(age, 0, kOldestAge);
    return capped == kOldestAge ? 1.0 : MortalityRows()[static_cast<std::size_t>(capped)].value;
}

std::vector<double> Survival(int age)
{
    std::vector<double> survival;
    double alive = 1.0;
    for (int a = std::clamp(age, 0, kOldestAge); a <= kOldestAge; ++a) {
        alive *= 1.0 - MortalityRate(a);
        survival.push_back(alive);
    }
    return survival;
}

std::vector<double> Survival(int age, int otherAge)
{
    const std::vector<double> one = Survival(age);
    const std::vector<double> other = Survival(otherAge);
    std::vector<double> either(std::max(one.size(), other.size()));
    for (std::size_t t = 0; t < either.size(); ++t) {
        const double x = t < one.size() ? one[t] : 0.0;
        const double y = t < other.size() ? other[t] : 0.0;
        either[t] = x + y - x * y;
    }
    return either;
}

double TableYearsFromRates(const std::vector<double>& survival)
{
    double years = 11.0 / 24.0;
    for (const double alive : survival)
        years += alive;
    return std::max(1.0, std::floor(years * 10.0 + 0.5) / 10.0);
}

double AnnuityFactor(LifeTable table, int ownerAge, int beneficiaryAge, double rate)
{
    std::vector<double> survival;
    switch (table) {
    case LifeTable::Single:
        survival = Survival(ownerAge);
        break;
    case LifeTable::Uniform:
        survival = Survival(ownerAge, ownerAge - kUniformAgeGap);
        break;
    case LifeTable::Joint:
        survival = Survival(ownerAge, beneficiaryAge);
        break;
    }
    double factor = 0.0;
    double discount = 1.0;
    for (const double alive : survival) {
        discount /= 1.0 + rate;
        factor += alive * discount;
    }
    return factor;
}

} // namespace tw::rule72t
