#pragma once
// Substantially equal periodic payments from a retirement account (Notice 2022-6): the
// annual amount under each of the three methods, the earliest month the series may be changed
// and the account year by year until then. A plain computation over plain structs, without
// Qt: distributions.h ← inputcheck.h ← the command line and the window.

#include "rule72t/lifetables.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tw::rule72t {

using Money = double;   // dollars, held to the cent once a result is stored
using Percent = double; // 4.5 means 4.5 % a year

// A calendar month; month is 1 to 12.
struct Month
{
    int year = 0;
    int month = 1;

    // Months since the start of year 0, so that months count and compare as integers.
    int count() const { return year * 12 + month - 1; }
    static Month FromCount(int count);
    auto operator<=>(const Month&) const = default;
};

// "2034-07".
std::string MonthText(Month month);

struct DistributionInput
{
    Money balance = 0; // the account on 31 December before the first distribution year
    Month born;        // the owner's birth
    Month start;       // the month of the first distribution
    LifeTable table = LifeTable::Single;
    Month beneficiaryBorn;        // read only for the joint table
    Percent rate = 0;             // the chosen interest rate
    std::vector<Percent> midTerm; // the federal mid-term rates of the two months before start
    int paymentsPerYear = 1;      // 1, 4 or 12: the annual amount divided
    Percent growth = 0;           // the account's assumed yearly growth, for the projection only
};

enum class Method { MinimumDistribution, Amortization, Annuitization };
inline constexpr std::array<Method, 3> kMethods{Method::MinimumDistribution, Method::Amortization,
                                                Method::Annuitization};
// "Required minimum distribution", "Fixed amortization", "Fixed annuitization".
std::string_view MethodName(Method method);

struct MethodAmount
{
    double factor = 0;    // the table's years, the amortization or the annuity factor
    Money annual = 0;     // to the cent
    Money perPayment = 0; // annual / payments a year, to the cent
};

struct ProjectedPayment
{
    Money payment = 0;   // what the year pays, to the cent
    Money balance = 0;   // what is left at the year's end, never below 0
    bool runOut = false; // the balance could not pay the year's amount, or was gone before
};

struct ProjectionYear
{
    int number = 1; // 1 for the year of the first distribution
    Month from;     // its first month
    int age = 0;    // the owner's age on the birthday in it
    std::array<ProjectedPayment, 3> methods;
};

struct DistributionResult
{
    int age = 0;            // the owner's age on the birthday in the first distribution year
    int beneficiaryAge = 0; // the same for the beneficiary (joint table)
    Percent cap = 0;        // the highest rate allowed
    bool taxFree = false;   // the owner is 59½ or older at the first distribution
    Month mayChange;        // the earliest month the series may be changed
    std::array<MethodAmount, 3> methods;
    std::vector<ProjectionYear> projection;
};

// The owner is 59½ in the month 714 months after the month of birth.
inline constexpr int kMonthsToFiftyNineAndAHalf = 59 * 12 + 6;
// Five years after the first payment.
inline constexpr int kLeastSeriesMonths = 5 * 12;
// Without mid-term rates, and as the floor under 120 % of them.
inline constexpr Percent kLeastCap = 5.0;

// The rate cap: the greater of 5 % and 120 % of the higher of the mid-term rates given.
Percent RateCap(const std::vector<Percent>& midTerm);

// The later of five years after the first payment and the month the owner is 59½.
Month EarliestChange(Month born, Month start);

// Rounds to the cent, halves away from zero.
Money ToCents(double amount);

// Fixed amortization: P = B·i / (1 − (1 + i)^−n), i the rate as a fraction a year, n the
// table's years as printed (36.2 stays 36.2); payments at the end of each year.
Money AmortizedPayment(Money balance, double rate, double years);

// The three amounts and the projection, for an input CheckInput has accepted.
//
// The projection runs over the distribution years from the first until the one in which the
// series may be changed; year k begins k − 1 years after the first distribution. Each year
// the balance grows by the assumed rate and the year's payment comes out at its end (the
// methods' own timing): end = opening × (1 + g) − payment. The minimum distribution is the
// opening balance divided by the table's entry for that year's ages; the fixed amounts stay
// as in the first year. A payment larger than what the account holds pays what is left, and
// the balance is then 0 and stays so: run out, never negative.
DistributionResult ComputeDistributions(const DistributionInput& input);

} // namespace tw::rule72t
