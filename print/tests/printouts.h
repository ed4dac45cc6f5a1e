#pragma once
// Tables of both printouts for the tests, made in the files' own formats, and the page file
// texts they must give, written out from the numbers without the code under test.

#include "finance/format.h"
#include "print/printtable.h"
#include "tools/mortgage/scheduletable.h"

#include <string>
#include <vector>

namespace tw::testing {

inline const char* const kScheduleHead =
    "Age \tPrincipal \tInterest \tTotal Principal \tTotal Interest \tTotal Payment \tEquity \t"
    "Inflated Equity \tProperty Value \tProperty Liability \t\n"
    "-----------------------\n";

inline const char* const kRefinanceHeader =
    "Age\tNet Worth\tSavings\tEquity\t+Diff. in Mon. Pay.\t+Principal\t-Interest\t"
    "+Tax Savings\t-Savings Interest\t-Tax on Interest\n";

inline const char* const kRefinanceHead =
    "Age \tNet Worth \tSavings \tEquity \t+Diff. in Mon. Pay. \t+Principal \t-Interest \t"
    "+Tax Savings \t-Savings Interest \t-Tax on Interest \t\n"
    "-----------------------\n";

// Value `column` of row `row` in cents: whole quarters, exact in a float, so a value goes
// through the file and back unchanged. Column 0 is the age.
inline long long Cents(int row, int column)
{
    if (column == 0)
        return (35 + row) * 100LL;
    return 100000LL * row + 2525LL * column;
}

inline double Value(int row, int column)
{
    return static_cast<double>(Cents(row, column)) / 100.0;
}

// "%13.2f" of a value in cents, by hand.
inline std::string Field13(long long cents)
{
    std::string text = std::to_string(cents / 100) + "." + std::to_string(cents % 100 / 10) +
                       std::to_string(cents % 10);
    return std::string(text.size() < 13 ? 13 - text.size() : 0, ' ') + text;
}

// psched.tmp of `rows` rows, written by the schedule's own file writer.
inline std::string ScheduleInput(int rows)
{
    std::vector<ScheduleRow> schedule;
    for (int i = 0; i < rows; ++i) {
        ScheduleRow row;
        row.age = 35 + i;
        row.principal = static_cast<float>(Value(i, 1));
        row.interest = static_cast<float>(Value(i, 2));
        row.totalPrincipal = static_cast<float>(Value(i, 3));
        row.totalInterest = static_cast<float>(Value(i, 4));
        row.totalPayment = Value(i, 5);
        row.equity = Value(i, 6);
        row.inflatedEquity = Value(i, 7);
        row.propertyValue = static_cast<float>(Value(i, 8));
        row.liability = Value(i, 9);
        schedule.push_back(row);
    }
    return ScheduleFileText(schedule);
}

// refprt.tmp of `rows` rows. Every row carries the letter its position does not give it,
// so a page file that copied the letter would show.
inline std::string RefinanceInput(int rows)
{
    std::string text = kRefinanceHeader;
    for (int i = 0; i < rows; ++i) {
        text += Format("%3d %c", 35 + i, i % 2 == 0 ? 'R' : 'O');
        for (int column = 1; column < 10; ++column)
            text += Format("\t%16.2f", Value(i, column));
        text += '\n';
    }
    text += "Dooone\nDooone\n";
    return text;
}

inline std::string ExpectedPageRow(int row, PrintoutKind kind)
{
    std::string line = Field13(Cents(row, 0));
    if (kind == PrintoutKind::Refinance)
        line += row % 2 == 0 ? " O" : " R";
    line += '\t';
    for (int column = 1; column < 10; ++column)
        line += Field13(Cents(row, column)) + '\t';
    return line + '\n';
}

// The page files of a table of `rows` rows: `perPage` rows a page file.
inline std::vector<std::string> ExpectedPages(int rows, PrintoutKind kind)
{
    const int perPage = kind == PrintoutKind::Schedule ? 56 : 46;
    const std::string head = kind == PrintoutKind::Schedule ? kScheduleHead : kRefinanceHead;
    std::vector<std::string> pages;
    int row = 0;
    do {
        std::string page = head;
        for (int n = 0; n < perPage && row < rows; ++n, ++row)
            page += ExpectedPageRow(row, kind);
        pages.push_back(page + "Dooone\n");
    } while (row < rows);
    return pages;
}

} // namespace tw::testing
