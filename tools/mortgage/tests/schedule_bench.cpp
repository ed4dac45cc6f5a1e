// Times the build of a 100-year schedule (101 rows) with its list cells and file text, as
// the schedule window does it at every opening and resize, and the rows alone. Each is timed
// side by side through RunSchedule, which amortizes the loan once, and through a reference
// that amortizes every year from month 0 with AmortizeRange, as the schedule did before; the
// two must give the same text. Prints the median of many interleaved runs and the ratio.
// Another comparison is one more entry of the table in main.

#include "finance/loan.h"
#include "tools/mortgage/schedule.h"
#include "tools/mortgage/scheduletable.h"
#include "tools/refinance/refinance.h"
#include "tools/refinance/tests/referencemonths.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using tw::Extended;
using tw::Money;
using tw::StoreFloat;

tw::ScheduleRow ReferenceRow(const tw::MortgageRecord& record, int age, Money principal,
                             Money interest, Money propertyValue)
{
    const Extended equity = Extended{record.downPayment} + record.totalPrincipal;
    const Extended liability = Extended{record.amount} - equity;
    tw::ScheduleRow row;
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

// RunSchedule as it was, each year's sums simulated from month 0.
void ReferenceSchedule(tw::MortgageRecord& record,
                       const std::function<void(const tw::ScheduleRow&)>& addRow)
{
    if (!tw::ScheduleAccepts(record))
        return;
    const Money loan = StoreFloat(Extended{record.amount} - record.downPayment);
    const float monthlyRate = tw::MonthlyRate(record.rate);
    const int months = record.years * 12;
    const int startAge = static_cast<int>(record.startAge);
    const int endAge = startAge + record.years;

    record.totalPrincipal = 0;
    record.totalInterest = 0;
    record.monthsScheduled = 0;
    Money value = record.amount;
    addRow(ReferenceRow(record, startAge, 0, 0, value));
    for (int age = startAge; age < endAge; ++age) {
        const Money appreciated =
            StoreFloat(Extended{value} + Extended{value} * record.appreciation * tw::kHundredth);
        if (!std::isfinite(appreciated))
            break;
        value = appreciated;
        const int first = record.monthsScheduled;
        const tw::AmortizeResult year =
            tw::AmortizeRange(loan, monthlyRate, months, first, first + 11);
        record.monthsScheduled = static_cast<std::int16_t>(first + 12);
        record.totalPrincipal = StoreFloat(Extended{record.totalPrincipal} + year.principal);
        record.totalInterest = StoreFloat(Extended{record.totalInterest} + year.interest);
        addRow(ReferenceRow(record, age + 1, year.principal, year.interest, value));
        const bool sold = record.sellAge != 0 && age + 1 >= record.sellAge;
        const bool paidOff = record.payoffAge != 0 && age + 1 >= record.payoffAge;
        if (sold || paidOff)
            break;
    }
}

tw::MortgageRecord HundredYears()
{
    tw::MortgageRecord record;
    record.startAge = 1;
    record.amount = 500000;
    record.downPayment = 50000;
    record.rate = 6.5F;
    record.years = 100;
    record.appreciation = 3;
    return record;
}

// What the window builds from the rows: the cells of every row and the file text. The
// cells' total length stands in for the list, so that nothing is optimised away.
struct ScheduleText
{
    std::string text = tw::ScheduleFileHeader();
    std::size_t cells = 0;

    void add(const tw::ScheduleRow& row)
    {
        const std::vector<std::string> rowCells = tw::ScheduleCells(row);
        for (const std::string& cell : rowCells)
            cells += cell.size();
        text += tw::ScheduleFileLine(rowCells);
    }
    std::string finish()
    {
        text += tw::kScheduleEndMarker;
        return text + std::to_string(cells);
    }
};

std::string CurrentWithText()
{
    tw::MortgageRecord record = HundredYears();
    ScheduleText text;
    tw::RunSchedule(record, [&text](const tw::ScheduleRow& row) {
        text.add(row);
        return true;
    });
    return text.finish();
}

std::string ReferenceWithText()
{
    tw::MortgageRecord record = HundredYears();
    ScheduleText text;
    ReferenceSchedule(record, [&text](const tw::ScheduleRow& row) { text.add(row); });
    return text.finish();
}

// The rows alone, field by field as their exact bytes, so that any difference shows.
template <typename... Values> void AppendBytes(std::string& bytes, const Values&... values)
{
    (bytes.append(reinterpret_cast<const char*>(&values), sizeof values), ...);
}

void AppendRow(std::string& bytes, const tw::ScheduleRow& row)
{
    AppendBytes(bytes, row.age, row.principal, row.interest, row.totalPrincipal, row.totalInterest,
                row.totalPayment, row.equity, row.inflatedEquity, row.propertyValue, row.liability);
}

std::string CurrentRows()
{
    tw::MortgageRecord record = HundredYears();
    std::string bytes;
    tw::RunSchedule(record, [&bytes](const tw::ScheduleRow& row) {
        AppendRow(bytes, row);
        return true;
    });
    return bytes;
}

std::string ReferenceRows()
{
    tw::MortgageRecord record = HundredYears();
    std::string bytes;
    ReferenceSchedule(record, [&bytes](const tw::ScheduleRow& row) { AppendRow(bytes, row); });
    return bytes;
}

// The longest refinance analysis: a 50-year mortgage from age 1 refinanced at 120 into another
// 50 years: 169 years of months for the existing loan, and the table's 2 + 2 × 50 rows with
// every row's texts and the print file.
tw::RefinanceInput LongestRefinance()
{
    tw::RefinanceInput input;
    input.startAge = 1;
    input.existingAmount = 300000;
    input.existingRate = 7;
    input.existingYears = 50;
    input.refinanceAge = 120;
    input.refinancedAmount = 250000;
    input.refinancedRate = 5;
    input.refinancedYears = 50;
    input.closingCosts = 3000;
    input.points = 1;
    input.taxRate = 15;
    input.savingsRate = 5;
    return input;
}

std::string RefinanceText(const tw::RefinanceOutcome& outcome)
{
    if (outcome.rows.size() != 102)
        std::fprintf(stderr, "expected 102 rows, got %zu\n", outcome.rows.size());
    return outcome.printRows + outcome.breakEven;
}

std::string CurrentRefinance()
{
    return RefinanceText(tw::RunRefinanceAnalysis(LongestRefinance(), tw::RefinanceMode::Table));
}

std::string ReferenceRefinance()
{
    return RefinanceText(tw::RunRefinanceAnalysis(LongestRefinance(), tw::RefinanceMode::Table,
                                                  tw::ReferenceMonths::Make));
}

struct Comparison
{
    const char* name;
    std::function<std::string()> current;   // the code as it is
    std::function<std::string()> reference; // the same, simulated from month 0 every time
};

double Micros(const std::function<std::string()>& run, std::string& result)
{
    const auto start = std::chrono::steady_clock::now();
    result = run();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    const Comparison comparisons[] = {
        {"100-year schedule, 101 rows with list cells and file text", CurrentWithText,
         ReferenceWithText},
        {"100-year schedule, 101 rows alone", CurrentRows, ReferenceRows},
        {"longest refinance table run, 169 years, 102 rows with texts", CurrentRefinance,
         ReferenceRefinance},
    };
    constexpr int kRuns = 401;
    tw::MortgageRecord record = HundredYears();
    if (const std::size_t rows = tw::ComputeSchedule(record).size(); rows != 101) {
        std::fprintf(stderr, "expected 101 rows, got %zu\n", rows);
        return 1;
    }

    std::printf("%-58s %12s %12s %7s\n", "median of runs", "trajectory", "per year", "ratio");
    for (const Comparison& comparison : comparisons) {
        std::vector<double> current;
        std::vector<double> reference;
        std::string currentResult;
        std::string referenceResult;
        // Interleaved, so that a slower stretch of the machine falls on both alike.
        for (int run = 0; run < kRuns; ++run) {
            current.push_back(Micros(comparison.current, currentResult));
            reference.push_back(Micros(comparison.reference, referenceResult));
            if (currentResult != referenceResult) {
                std::fprintf(stderr, "%s: the two paths differ\n", comparison.name);
                return 1;
            }
        }
        const double currentMedian = Median(current);
        const double referenceMedian = Median(reference);
        std::printf("%-58s %9.1f us %9.1f us %6.1fx\n", comparison.name, currentMedian,
                    referenceMedian, referenceMedian / currentMedian);
    }
    std::printf("(%d runs each; trajectory: RunSchedule as built; per year: AmortizeRange from "
                "month 0 for every row)\n",
                kRuns);
    return 0;
}
