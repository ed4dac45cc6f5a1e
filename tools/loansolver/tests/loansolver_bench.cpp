// Times the loan solver: each unknown solved with its totals and APR (the form's Solve), on
// ordinary loans and on the hardest the form accepts (100 years of weekly payments at 100 %, a
// balloon above the amount, a rate search near 0 and near its bound), and the 100-year weekly
// schedule (5,200 payments and 100 year rows) with every cell of its list, in both roundings.
// Prints the median and the slowest of many runs; the targets are under 1 ms a solve and
// under 5 ms for the schedule with its cells.

#include "tools/loansolver/loansolver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Timing
{
    double median = 0; // milliseconds
    double slowest = 0;
};

Timing Time(const std::function<void()>& work, int runs)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

tw::LoanTerms Loan(double amount, double rate, int perYear, int count, double payment,
                   double balloon)
{
    tw::LoanTerms terms;
    terms.amount = amount;
    terms.ratePercent = rate;
    terms.paymentsPerYear = perYear;
    terms.compounding = perYear;
    terms.count = count;
    terms.payment = payment;
    terms.balloon = balloon;
    terms.fees = amount / 100;
    terms.extra = payment / 10;
    terms.extraFrom = count / 2 + 1;
    terms.target = count - 1;
    return terms;
}

} // namespace

int main()
{
    struct Case
    {
        const char* name;
        tw::LoanTerms terms;
    };
    const Case cases[] = {
        {"mortgage, 30 years monthly", Loan(200000, 7.5, 12, 360, 1398.43, 0)},
        {"100 years weekly at 100 %", Loan(1e9, 100, 52, 5200, 1.95e7, 0)},
        {"balloon above the amount", Loan(100000, 12, 12, 120, 500, 200000)},
        {"rate near 0", Loan(1e6, 1e-7, 52, 5200, 192.31, 0)},
        {"rate near 100 %", Loan(1000, 99.9, 1, 2, 1000, 0)},
    };
    const char* unknowns[] = {"amount", "rate", "count", "payment", "balloon", "extra"};
    constexpr int kRuns = 200;

    std::printf("%-28s %-8s %10s %10s\n", "solve", "unknown", "median ms", "slowest ms");
    double worst = 0;
    for (const Case& c : cases) {
        for (int u = 0; u < 6; ++u) {
            const auto unknown = static_cast<tw::LoanUnknown>(u);
            bool solved = false;
            const Timing t =
                Time([&] { solved = !tw::SolveLoan(c.terms, unknown).failure.has_value(); }, kRuns);
            worst = std::max(worst, t.slowest);
            std::printf("%-28s %-8s %10.4f %10.4f%s\n", c.name, unknowns[u], t.median, t.slowest,
                        solved ? "" : "  (no solution)");
        }
    }
    std::printf("slowest solve of all: %.4f ms (target: under 1 ms)\n\n", worst);

    for (const tw::LoanRounding rounding : {tw::LoanRounding::Exact, tw::LoanRounding::Cents}) {
        tw::LoanTerms terms = Loan(500000, 6, 52, 5200, 0, 0);
        terms.rounding = rounding;
        terms = tw::SolveLoan(terms, tw::LoanUnknown::Payment).terms;
        std::size_t cells = 0;
        const Timing t = Time(
            [&] {
                const tw::LoanSchedule schedule = tw::RunLoanSchedule(tw::ScheduleOf(terms));
                cells = 0;
                for (const tw::LoanRow& row : schedule.rows)
                    cells += tw::LoanRowCells(row).size();
            },
            kRuns);
        std::printf("schedule of 5,200 weekly payments with its %zu cells, %s: median %.3f ms, "
                    "slowest %.3f ms (target: under 5 ms)\n",
                    cells, rounding == tw::LoanRounding::Exact ? "exact" : "to the cent", t.median,
                    t.slowest);
    }
    return 0;
}
