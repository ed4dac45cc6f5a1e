#include "tools/mortgage/schedule.h"

#include "finance/loan.h"
#include "finance/trajectory.h"

#include <cmath>

namespace tw {

ScheduleRow ScheduleRowOf(const MortgageRecord& record, int age, Money principal, Money interest,
                          Money propertyValue)
{
    const Extended equity = Extended{record.downPayment} + record.totalPrincipal;
    const Extended liability = Extended{record.amount} - equity;

    ScheduleRow row;
    row.age = age;
    row.principal = principal;
    row.interest = interest;
    row.totalPrincipal = record.totalPrincipal;
    row.totalInterest = record.totalInterest;
    row.totalPayment = static_cast<double>(Extended{record.totalPrincipal} + record.totalInterest);
    row.equity = static_cast<double>(equity);
    row.inflatedEquity = static_cast<double>(equity + propertyValue - record.amount);
    row.propertyValue = propertyValue;
    row.liability = liability >= 0 ? static_cast<double>(liability) : 0.0;
    return row;
}

bool ScheduleAccepts(const MortgageRecord& record)
{
    const Age start = record.startAge;
    if (!(start >= 1 && start <= 120))
        return false;
    if (record.payoffAge != 0 && !(record.payoffAge >= start))
        return false;
    if (record.sellAge != 0 && !(record.sellAge >= start))
        return false;
    if (!(Extended{record.amount} - record.downPayment > 0))
        return false;
    if (!(record.rate >= 0 && record.rate <= 100))
        return false;
    if (record.years < 1 || record.years > 100)
        return false;
    // A rate of 0 has no annuity payment, and neither has a rate whose power overflows.
    return PaymentLimitFor(MonthlyRate(record.rate), record.years * 12) == PaymentLimit::Ok;
}

int RunSchedule(MortgageRecord& record, const std::function<bool(const ScheduleRow&)>& addRow)
{
    if (!ScheduleAccepts(record))
        return 0;

    const Money loan = StoreFloat(Extended{record.amount} - record.downPayment);
    const float monthlyRate = MonthlyRate(record.rate);
    const int months = record.years * 12;
    const int startAge = static_cast<int>(record.startAge);
    const int endAge = startAge + record.years;

    record.totalPrincipal = 0;
    record.totalInterest = 0;
    record.monthsScheduled = 0;
    Money value = record.amount;
    // The loan is amortized once; each row reads its twelve months from it.
    const LoanTrajectory trajectory(loan, monthlyRate, months);

    int rows = 0;
    if (!addRow(ScheduleRowOf(record, startAge, 0, 0, value)))
        return rows;
    ++rows;

    for (int age = startAge; age < endAge; ++age) {
        // V = V + V × G × 0.01: the property appreciates by G percent a year.
        const Money appreciated =
            StoreFloat(Extended{value} + Extended{value} * record.appreciation * kHundredth);
        if (!std::isfinite(appreciated))
            break;
        value = appreciated;

        const int first = record.monthsScheduled;
        const AmortizeResult year = trajectory.range(first, first + 11);
        record.monthsScheduled = static_cast<std::int16_t>(first + 12);
        record.totalPrincipal = StoreFloat(Extended{record.totalPrincipal} + year.principal);
        record.totalInterest = StoreFloat(Extended{record.totalInterest} + year.interest);

        if (!addRow(ScheduleRowOf(record, age + 1, year.principal, year.interest, value)))
            return rows;
        ++rows;

        const bool sold = record.sellAge != 0 && age + 1 >= record.sellAge;
        const bool paidOff = record.payoffAge != 0 && age + 1 >= record.payoffAge;
        if (sold || paidOff)
            break;
    }
    return rows;
}

std::vector<ScheduleRow> ComputeSchedule(MortgageRecord& record)
{
    std::vector<ScheduleRow> rows;
    RunSchedule(record, [&rows](const ScheduleRow& row) {
        rows.push_back(row);
        return true;
    });
    return rows;
}

} // namespace tw
