#pragma once
#include "finance/precision.h"
#include "tools/records.h"

#include <functional>
#include <vector>

namespace tw {

// One year of the mortgage payoff schedule. The stored values are floats; the sums that are
// only shown are kept as the extended result converted to double, as they are printed.
struct ScheduleRow
{
    int age = 0;
    Money principal = 0; // principal paid in the year that ends at this age
    Money interest = 0;  // interest paid in that year
    Money totalPrincipal = 0;
    Money totalInterest = 0;
    double totalPayment = 0;   // total principal + total interest
    double equity = 0;         // down payment + total principal
    double inflatedEquity = 0; // equity + property value − amount
    Money propertyValue = 0;
    double liability = 0; // amount − equity, 0 once the equity reaches the amount
};

// Whether the record describes a mortgage the schedule can show: a start age of 1 to 120,
// payoff and sell ages 0 (none) or not below the start age, a positive loan, a rate of 0 to
// 100 % a year with a monthly payment that exists, and 1 to 100 years.
bool ScheduleAccepts(const MortgageRecord& record);

// Computes the schedule of the record, one row per year of age from the start age, and hands
// each row to addRow the moment it is computed; a false answer stops the computation there.
// The record's total principal, total interest and months scheduled are reset and left as
// the last row has them. A record ScheduleAccepts refuses gives no rows and is not touched.
// Rows end at the end of the term, at the payoff age or at the sell age, whichever comes
// first, and before a year whose property value would leave the single-precision range
// (appreciation rates of several hundred percent over decades).
// Returns the number of rows handed over.
int RunSchedule(MortgageRecord& record, const std::function<bool(const ScheduleRow&)>& addRow);

// All rows of RunSchedule.
std::vector<ScheduleRow> ComputeSchedule(MortgageRecord& record);

// The row of age with the year's principal and interest, from the running totals of the
// record and the property's value. Equity and its kin are sums that are shown but never
// stored, so they keep their extended value.
ScheduleRow ScheduleRowOf(const MortgageRecord& record, int age, Money principal, Money interest,
                          Money propertyValue);

} // namespace tw
