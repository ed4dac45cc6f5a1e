#pragma once
#include "finance/loan.h"

#include <cstddef>
#include <vector>

namespace tw {

// One loan amortized once. AmortizeRange simulates from month 0 at every call, so asking for
// each month of a loan in turn costs the square of its length; a trajectory keeps the months
// it has simulated and answers any month or range from them, with exactly the floats
// AmortizeRange gives for the same arguments (the same stores in the same order).
//
// The months are simulated lazily, up to the largest month asked and never past the month
// that clears the balance. A loan that never clears (a payment no larger than its interest,
// a NaN or infinite rate) keeps at most kMaxKeptMonths months: when a month repeats its
// balance bit for bit once the extra applies, every later month is that month again and
// nothing more is kept; otherwise months past the limit are stepped from the last kept one
// each time they are asked for, as AmortizeRange steps them. A range costs its own length
// (the running sums start at its first month), plus the stepping to reach it past the limit.
//
// The kept months are filled in by the const members, so one trajectory must not be read
// from two threads at once.
class LoanTrajectory
{
  public:
    LoanTrajectory(Money principal, float rate, int periods, Money extra = 0, int extraFrom = 0);

    // Exactly AmortizeRange(principal, rate, periods, first, last, extra, extraFrom).
    AmortizeResult range(int first, int last) const;
    // Exactly AmortizeRange(principal, rate, periods, month, month, extra, extraFrom).principal
    Money principalOf(int month) const;
    Money payment() const; // MonthlyPayment(principal, rate, periods), computed once

    // The bound on the months held in memory (20 bytes each, about 1.3 MB in all), and how
    // many are held now.
    static constexpr std::size_t kMaxKeptMonths = std::size_t{1} << 16;
    std::size_t keptMonths() const { return months_.size(); }

  private:
    // One month of the loan, whether or not a range counts it.
    struct Month
    {
        Money balance = 0;       // before the month
        Money interest = 0;      // balance × r, stored
        Money principalPart = 0; // payment − interest, then + extra from extraFrom on
        Money balanceAfter = 0;  // balance − principal part, stored
        bool overshoots = false; // balance < principal part: a counted month ends the loan here
        bool clears = false;     // balance after ≤ 0: any month ends the loan here
    };

    Month step(long long month, Money balance) const;
    void keepUpTo(long long month) const;
    bool seek(long long month, Month& found) const;
    Month next(long long month, const Month& previous) const;

    Money principal_;
    float rate_;
    Money extra_;
    int extraFrom_;
    Money payment_;

    mutable std::vector<Month> months_;
    mutable bool cleared_ = false; // the last kept month clears the balance
    mutable bool steady_ = false;  // the last kept month repeats for ever
};

} // namespace tw
