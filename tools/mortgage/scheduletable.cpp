#include "tools/mortgage/scheduletable.h"

#include "finance/format.h"
#include "tools/reportlayout.h"

#include <algorithm>

namespace tw {

namespace {

// The nine money columns, in column order.
std::array<double, kScheduleColumns - 1> MoneyColumns(const ScheduleRow& row)
{
    return {row.principal,      row.interest,      row.totalPrincipal,
            row.totalInterest,  row.totalPayment,  row.equity,
            row.inflatedEquity, row.propertyValue, row.liability};
}

} // namespace

const std::array<std::string_view, kScheduleColumns>& ScheduleColumnTitles()
{
    static constexpr std::array<std::string_view, kScheduleColumns> titles = {
        "Age",           "Principal", "Interest",        "Total Principal", "Total Interest",
        "Total Payment", "Equity",    "Inflated Equity", "Property Value",  "Property Liability"};
    return titles;
}

std::vector<std::string> ScheduleCells(const ScheduleRow& row)
{
    std::vector<std::string> cells;
    cells.reserve(kScheduleColumns);
    cells.push_back(FormatWhole(row.age, 3));
    const auto money = MoneyColumns(row);
    cells.push_back(FormatCents(money[0], 14));
    cells.push_back(FormatCents(money[1], 14));
    for (std::size_t i = 2; i < money.size(); ++i)
        cells.push_back(FormatCents(money[i], 16));
    return cells;
}

std::string ScheduleFileHeader()
{
    std::string header;
    for (std::string_view title : ScheduleColumnTitles()) {
        header += title;
        header += '\t';
    }
    header += '\n';
    return header;
}

std::string ScheduleFileLine(const ScheduleRow& row)
{
    return ScheduleFileLine(ScheduleCells(row));
}

std::string ScheduleFileLine(const std::vector<std::string>& cells)
{
    // The file's fields are the list's texts, each followed by a tab.
    std::string line;
    line.reserve(160);
    for (const std::string& cell : cells) {
        line += cell;
        line += '\t';
    }
    line += '\n';
    return line;
}

std::string ScheduleFileText(const std::vector<ScheduleRow>& rows)
{
    std::string text = ScheduleFileHeader();
    for (const ScheduleRow& row : rows)
        text += ScheduleFileLine(row);
    text += kScheduleEndMarker;
    return text;
}

const std::array<int, kScheduleColumns>& ScheduleColumnFactors()
{
    static constexpr std::array<int, kScheduleColumns> factors = {33, 77, 77, 85, 85,
                                                                  85, 85, 85, 85, 90};
    return factors;
}

std::array<int, kScheduleColumns> ScheduleColumnWidths(int listWidth)
{
    return ReportColumnWidths(listWidth, ScheduleColumnFactors(), kScheduleWidthDivisor);
}

std::array<int, kScheduleColumns> ScheduleWidthsForBuild(ScheduleColumnsState& state, int listWidth)
{
    return ReportWidthsForBuild(state, listWidth, ScheduleColumnFactors(), kScheduleWidthDivisor);
}

} // namespace tw
