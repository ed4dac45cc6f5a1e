#include "finance/trajectory.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace tw {

namespace {

// Bit for bit, so that a NaN balance that repeats is recognised as repeating.
bool SameFloat(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

} // namespace

LoanTrajectory::LoanTrajectory(Money principal, float rate, int periods, Money extra, int extraFrom)
    : principal_(principal), rate_(rate), extra_(extra), extraFrom_(extraFrom),
      payment_(MonthlyPayment(principal, rate, periods))
{
}

Money LoanTrajectory::payment() const
{
    return payment_;
}

// Month i, rate r per month (a fraction), payment m, balance B before the month:
//   interest I = float(B × r); principal part p = float(m − I), then p = float(p + x) from
//   month k = extraFrom on; balance after = float(B − p).
// These are AmortizeRange's stores in its order. They depend on B and on whether i ≥ k only,
// never on the range asked, which is what lets one simulation serve every range. A negative
// principal, a negative p (payment below the interest) or a NaN all just flow through.
LoanTrajectory::Month LoanTrajectory::step(long long month, Money balance) const
{
    Month m;
    m.balance = balance;
    m.interest = StoreFloat(Extended{balance} * rate_);
    m.principalPart = StoreFloat(Extended{payment_} - m.interest);
    if (month >= extraFrom_)
        m.principalPart = StoreFloat(Extended{m.principalPart} + extra_);
    m.balanceAfter = StoreFloat(Extended{balance} - m.principalPart);
    m.overshoots = balance < m.principalPart;
    m.clears = m.balanceAfter <= 0;
    return m;
}

// Every range that reaches the first month whose balance after is ≤ 0 ends there at the
// latest: uncounted, that month ends it; counted, it ends as the partial payment (balance <
// principal part) or as the balance reaching 0. So nothing past that month is ever kept.
void LoanTrajectory::keepUpTo(long long month) const
{
    const long long limit = std::min(month, static_cast<long long>(kMaxKeptMonths) - 1);
    if (months_.empty() && limit >= 0)
        months_.reserve(static_cast<std::size_t>(limit) + 1);
    while (!cleared_ && !steady_ && static_cast<long long>(months_.size()) <= limit) {
        const auto i = static_cast<long long>(months_.size());
        const Month m = step(i, months_.empty() ? principal_ : months_.back().balanceAfter);
        months_.push_back(m);
        if (m.clears)
            cleared_ = true;
        // From month k on every month is the same function of its balance: a balance that
        // comes back unchanged comes back for ever.
        else if (i >= extraFrom_ && SameFloat(m.balanceAfter, m.balance))
            steady_ = true;
    }
}

// Month `month` (≥ 0), found through the uncounted months before it; false when one of those
// cleared the balance. Call keepUpTo(month) first.
bool LoanTrajectory::seek(long long month, Month& found) const
{
    const auto kept = static_cast<long long>(months_.size());
    if (month < kept) {
        found = months_[static_cast<std::size_t>(month)];
        return true;
    }
    if (cleared_)
        return false;
    found = months_.back();
    if (steady_)
        return true;
    // Past the kept months of a loan that has not cleared: step on without keeping.
    for (long long i = kept; i <= month; ++i) {
        found = step(i, found.balanceAfter);
        if (i < month && found.clears)
            return false;
    }
    return true;
}

// The month after `previous`, which did not end the loan.
LoanTrajectory::Month LoanTrajectory::next(long long month, const Month& previous) const
{
    if (month < static_cast<long long>(months_.size()))
        return months_[static_cast<std::size_t>(month)];
    if (steady_)
        return previous;
    return step(month, previous.balanceAfter);
}

// AmortizeRange's counting, on the months of the one simulation. Months first..last count
// (from month 0 when first < 0): each adds its interest and a payment, then
//  - balance < principal part: the partial last payment, principal = total + balance;
//  - otherwise total = total + principal part, and if the balance after is ≤ 0 the overshoot
//    is taken back, principal = total + balance after, or 0 if that is negative.
// Months before first only move the balance; one that clears it ends the loan uncounted, and
// the range reports 0, 0, 0. So does a range with first > last or last < 0.
AmortizeResult LoanTrajectory::range(int first, int last) const
{
    AmortizeResult result;
    if (last < 0 || first > last)
        return result;
    const long long from = std::max(first, 0);
    keepUpTo(last);

    Month month;
    if (!seek(from, month))
        return result;

    Money total = 0;
    // A 64-bit count: from 0 to INT_MAX a loan that never clears counts 2^31 months, one more
    // than an int holds (AmortizeRange's own count overflows there).
    long long payments = 0;
    for (long long i = from;; ++i) {
        if (i > from)
            month = next(i, month);
        result.interest = StoreFloat(Extended{result.interest} + month.interest);
        ++payments;
        if (month.overshoots) {
            result.principal = StoreFloat(Extended{total} + month.balance);
            break;
        }
        total = StoreFloat(Extended{total} + month.principalPart);
        if (month.clears) {
            total = StoreFloat(Extended{total} + month.balanceAfter);
            result.principal = total < 0 ? 0 : total;
            break;
        }
        if (i == last) {
            result.principal = total;
            break;
        }
    }
    result.payments = static_cast<int>(payments);
    return result;
}

Money LoanTrajectory::principalOf(int month) const
{
    return range(month, month).principal;
}

} // namespace tw
