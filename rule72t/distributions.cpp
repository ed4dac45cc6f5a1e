#include "rule72t/distributions.h"

#include "finance/format.h"

#include <algorithm>
#include <cmath>

namespace tw::rule72t {

Month Month::FromCount(int count)
{
    return {count / 12, count % 12 + 1};
}

std::string MonthText(Month month)
{
    return Format("%04d-%02d", month.year, month.month);
}

std::string_view MethodName(Method method)
{
    switch (method) {
    case Method::MinimumDistribution:
        return "Required minimum distribution";
    case Method::Amortization:
        return "Fixed amortization";
    case Method::Annuitization:
        break;
    }
    return "Fixed annuitization";
}

Percent RateCap(const std::vector<Percent>& midTerm)
{
    Percent cap = kLeastCap;
    for (const Percent rate : midTerm)
        cap = std::max(cap, 1.2 * rate);
    return cap;
}

Month EarliestChange(Month born, Month start)
{
    return Month::FromCount(
        std::max(start.count() + kLeastSeriesMonths, born.count() + kMonthsToFiftyNineAndAHalf));
}

Money ToCents(double amount)
{
    return std::round(amount * 100.0) / 100.0;
}

Money AmortizedPayment(Money balance, double rate, double years)
{
    return balance * rate / (1.0 - std::pow(1.0 + rate, -years));
}

namespace {

double YearsAt(const DistributionInput& input, int ownerAge, int beneficiaryAge)
{
    return TableYears(input.table, ownerAge, beneficiaryAge).value_or(1.0);
}

} // namespace

DistributionResult ComputeDistributions(const DistributionInput& input)
{
    DistributionResult result;
    result.age = input.start.year - input.born.year;
    if (input.table == LifeTable::Joint)
        result.beneficiaryAge = input.start.year - input.beneficiaryBorn.year;
    result.cap = RateCap(input.midTerm);
    result.taxFree = input.start.count() - input.born.count() >= kMonthsToFiftyNineAndAHalf;
    result.mayChange = EarliestChange(input.born, input.start);

    const double rate = input.rate / 100.0;
    const double years = YearsAt(input, result.age, result.beneficiaryAge);
    const double annuity = AnnuityFactor(input.table, result.age, result.beneficiaryAge, rate);
    const std::array<double, 3> factors{years, (1.0 - std::pow(1.0 + rate, -years)) / rate,
                                        annuity};
    const std::array<Money, 3> annual{input.balance / years,
                                      AmortizedPayment(input.balance, rate, years),
                                      input.balance / annuity};
    for (std::size_t m = 0; m < kMethods.size(); ++m) {
        result.methods[m].factor = factors[m];
        result.methods[m].annual = ToCents(annual[m]);
        result.methods[m].perPayment = ToCents(result.methods[m].annual / input.paymentsPerYear);
    }

    const int months = result.mayChange.count() - input.start.count();
    const int yearCount = std::max(1, (months + 11) / 12);
    const double growth = 1.0 + input.growth / 100.0;
    std::array<Money, 3> balance{input.balance, input.balance, input.balance};
    for (int k = 0; k < yearCount; ++k) {
        ProjectionYear year;
        year.number = k + 1;
        year.from = Month::FromCount(input.start.count() + 12 * k);
        year.age = result.age + k;
        for (std::size_t m = 0; m < kMethods.size(); ++m) {
            ProjectedPayment& cell = year.methods[m];
            Money due = result.methods[m].annual;
            if (kMethods[m] == Method::MinimumDistribution && k > 0)
                due = ToCents(balance[m] / YearsAt(input, year.age, result.beneficiaryAge + k));
            const Money held = ToCents(balance[m] * growth);
            cell.runOut = due >= held;
            cell.payment = std::min(due, held);
            cell.balance = cell.runOut ? 0.0 : ToCents(held - due);
            balance[m] = cell.balance;
        }
        result.projection.push_back(year);
    }
    return result;
}

} // namespace tw::rule72t
