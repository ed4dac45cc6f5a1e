#pragma once
// The loan solver: any one unknown of a loan (amount, rate, number of payments, payment,
// balloon or the extra payment) from the others, with its totals, its APR and what extra
// payments save. Double precision throughout; pure computation, no toolkit.

#include "tools/loansolver/loanschedule.h"

#include <optional>
#include <string>

namespace tw {

enum class LoanUnknown { Amount, Rate, Count, Payment, Balloon, Extra };

// The limits of the form's fields, which a solved value must keep too so that it can be
// typed back.
inline constexpr double kMaxLoanAmount = 1e9; // every dollar field
inline constexpr double kMaxLoanRate = 100;   // percent a year
inline constexpr double kMaxPoints = 100;     // percent of the amount
inline constexpr int kMaxLoanYears = 100;

struct LoanTerms
{
    double amount = 0;
    double ratePercent = 0; // a year
    int compounding = 12;   // per year, or kContinuous
    int paymentsPerYear = 12;
    int count = 0; // payments
    double payment = 0;
    double balloon = 0;
    PaymentTiming timing = PaymentTiming::End;
    double fees = 0;          // dollars paid at closing
    double pointsPercent = 0; // percent of the amount, paid at closing
    double extra = 0;
    int extraFrom = 1;
    int target = 0; // payments to be paid off in, when the extra is the unknown
    LoanRounding rounding = LoanRounding::Exact;
};

struct LoanSolution
{
    // Why there is no answer, in household words; when set, nothing else is.
    std::optional<std::string> failure;
    LoanTerms terms;          // the given terms with the unknown filled in
    double exactCount = 0;    // the number of payments before rounding up to whole ones
    double totalPayments = 0; // the payments and extra as the schedule makes them
    double totalInterest = 0;
    double aprPercent = 0;
    int paymentsMade = 0;
    double interestSaved = 0; // interest without the extra less interest with it
};

// The largest number of payments for a frequency: 100 years of them.
int MaxLoanPayments(int paymentsPerYear);

// "$1,234.50": two decimals with "$" and thousands commas.
std::string FormatDollars(double value);

// Solves for the unknown; the other fields of terms are read as given (the unknown's own
// field is ignored). With rounding to the cent, a solved dollar amount is rounded to the cent
// (an extra payment up, so that it still pays the loan off in time).
LoanSolution SolveLoan(const LoanTerms& given, LoanUnknown unknown);

// The schedule of solved terms.
ScheduleTerms ScheduleOf(const LoanTerms& terms);

} // namespace tw
