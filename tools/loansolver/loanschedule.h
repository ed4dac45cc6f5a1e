#pragma once
// The loan solver's payment-by-payment schedule, exact or rounded to the cent as lenders
// round, with a subtotal row at the end of each year. Pure computation, no toolkit.

#include "tools/loansolver/annuity.h"

#include <string>
#include <vector>

namespace tw {

enum class LoanRounding { Exact, Cents };

// A loan whose every figure is known: what the schedule runs on.
struct ScheduleTerms
{
    double amount = 0;
    double rate = 0; // periodic, a fraction
    int count = 0;   // payments; the last one ends the term
    double payment = 0;
    double balloon = 0; // owed at the end of the term, as in annuity.h
    PaymentTiming timing = PaymentTiming::End;
    double extra = 0;  // paid with every payment from payment extraFrom on
    int extraFrom = 1; // 1 for the first payment
    int paymentsPerYear = 12;
    LoanRounding rounding = LoanRounding::Exact;
};

enum class LoanRowKind { Payment, YearTotal };

// One row, in dollars. A payment row: interest is what the period adds (for payments in
// advance, the period that starts with the payment), principal is the payment less that
// interest, and the balance is what is owed at the end of the period. A year's total row sums
// the payments, interest, principal and extra of its year and shows the balance at its end.
//
// With rounding to the cent the schedule is worked in whole cents, each value here is a whole
// number of cents, and the totals are sums of the rounded amounts.
struct LoanRow
{
    LoanRowKind kind = LoanRowKind::Payment;
    int number = 0; // payment number, or the number of the year's last payment
    int year = 0;   // 1 for the first paymentsPerYear payments
    double payment = 0;
    double interest = 0;
    double principal = 0;
    double extra = 0;
    double balance = 0;
};

struct LoanSchedule
{
    std::vector<LoanRow> rows; // payments, each year followed by its total row
    int paymentsMade = 0;
    double totalPayments = 0; // payments and extra, the balloon not included
    double totalInterest = 0;
    double finalBalance = 0;
};

// The schedule, payment by payment. Each payment is the level payment and, from extraFrom on,
// the extra; one that finds no more owed than that pays the balance off and ends the schedule
// early. The last payment of the term is whatever leaves the balloon owed at the end of the
// term exactly (for payments in advance, what leaves the balloon less a period's interest);
// when the extra payments have already brought the balance below that, it is 0. With
// rounding to the cent the payment, the extra and the balloon are first rounded to the cent
// and each period's interest is rounded to the cent (halves up).
LoanSchedule RunLoanSchedule(const ScheduleTerms& terms);

// The texts of a row as the list shows them: the payment number (or "Total" for a year's
// row), the year and five amounts with two decimals, no "$" and no commas, so that a copied
// table reads back as numbers.
inline constexpr int kLoanScheduleColumns = 7;
std::vector<std::string> LoanRowCells(const LoanRow& row);

} // namespace tw
