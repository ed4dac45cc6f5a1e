#pragma once
// The payoff schedule as it was first computed: every year's sums amortized afresh from month 0
// with AmortizeRange (the rows are assembled as the schedule assembles them). RunSchedule
// amortizes the loan once; the two must give the same rows to the last bit, which the schedule
// tests check and the benchmark times.

#include "finance/loan.h"
#include "tools/mortgage/schedule.h"

#include <cmath>
#include <functional>

namespace tw::testing {

inline void ReferenceSchedule(MortgageRecord& record,
                              const std::function<void(const ScheduleRow&)>& addRow)
{
    if (!ScheduleAccepts(record))
        return;
    const Money loan = StoreFloat(Extended{record.amount} - record.downPayment);
    const float monthlyRate = MonthlyRate(record.rate);
    const int months = record.years * 12;
    const int startAge = static_cast<int>(record.startAge);
    const int endAge = startAge + record.years;

    record.totalPrincipal = 0;
    record.totalInterest = 0;
    record.monthsScheduled = 0;
    Money value = record.amount;
    addRow(ScheduleRowOf(record, startAge, 0, 0, value));
    for (int age = startAge; age < endAge; ++age) {
        const Money appreciated =
            StoreFloat(Extended{value} + Extended{value} * record.appreciation * kHundredth);
        if (!std::isfinite(appreciated))
            break;
        value = appreciated;
        const int first = record.monthsScheduled;
        const AmortizeResult year = AmortizeRange(loan, monthlyRate, months, first, first + 11);
        record.monthsScheduled = static_cast<std::int16_t>(first + 12);
        record.totalPrincipal = StoreFloat(Extended{record.totalPrincipal} + year.principal);
        record.totalInterest = StoreFloat(Extended{record.totalInterest} + year.interest);
        addRow(ScheduleRowOf(record, age + 1, year.principal, year.interest, value));
        const bool sold = record.sellAge != 0 && age + 1 >= record.sellAge;
        const bool paidOff = record.payoffAge != 0 && age + 1 >= record.payoffAge;
        if (sold || paidOff)
            break;
    }
}

} // namespace tw::testing
