// Times the build of a 100-year schedule (101 rows) with its list cells and file text, as
// the schedule window does it at every opening and resize. Prints the median of many runs.

#include "tools/mortgage/schedule.h"
#include "tools/mortgage/scheduletable.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main()
{
    tw::MortgageRecord record;
    record.startAge = 1;
    record.amount = 500000;
    record.downPayment = 50000;
    record.rate = 6.5F;
    record.years = 100;
    record.appreciation = 3;

    constexpr int kRuns = 201;
    std::vector<double> micros;
    std::size_t checksum = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        std::string text = tw::ScheduleFileHeader();
        int rows = 0;
        tw::RunSchedule(record, [&](const tw::ScheduleRow& row) {
            checksum += tw::ScheduleCells(row).size();
            text += tw::ScheduleFileLine(row);
            ++rows;
            return true;
        });
        text += tw::kScheduleEndMarker;
        const auto end = std::chrono::steady_clock::now();
        checksum += text.size();
        if (rows != 101) {
            std::fprintf(stderr, "expected 101 rows, got %d\n", rows);
            return 1;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("100-year schedule, 101 rows with list cells and file text: median %.0f us "
                "over %d runs (min %.0f, max %.0f; checksum %zu)\n",
                micros[micros.size() / 2], kRuns, micros.front(), micros.back(), checksum);
    return 0;
}
