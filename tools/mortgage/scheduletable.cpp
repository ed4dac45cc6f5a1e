#include "tools/mortgage/scheduletable.h"

#include "finance/format.h"

#include <algorithm>

namespace tw {

namespace {

constexpr std::array<int, kScheduleColumns> kWidthFactors = {33, 77, 77, 85, 85,
                                                             85, 85, 85, 85, 90};
constexpr long long kWidthDivisor = 625;

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
    cells.push_back(Format("%3d", row.age));
    const auto money = MoneyColumns(row);
    cells.push_back(Format("%14.2f", money[0]));
    cells.push_back(Format("%14.2f", money[1]));
    for (std::size_t i = 2; i < money.size(); ++i)
        cells.push_back(Format("%16.2f", money[i]));
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
    const auto money = MoneyColumns(row);
    std::string line = Format("%3d\t", row.age);
    line += Format("%14.2f\t", money[0]);
    line += Format("%14.2f\t", money[1]);
    for (std::size_t i = 2; i < money.size(); ++i)
        line += Format("%16.2f\t", money[i]);
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

std::array<int, kScheduleColumns> ScheduleColumnWidths(int listWidth)
{
    // 64-bit products: a window of any width cannot overflow them.
    const long long width = std::max(listWidth, 0);
    std::array<int, kScheduleColumns> widths{};
    for (int i = 0; i < kScheduleColumns; ++i)
        widths[i] = static_cast<int>(width * kWidthFactors[i] / kWidthDivisor);
    return widths;
}

std::array<int, kScheduleColumns> ScheduleWidthsForBuild(ScheduleColumnsState& state, int listWidth)
{
    if (!state.known) {
        state.known = true;
        state.firstWidth = listWidth;
        state.widths = ScheduleColumnWidths(listWidth);
    } else if (listWidth > state.firstWidth) {
        state.widths = ScheduleColumnWidths(listWidth);
    }
    return state.widths;
}

} // namespace tw
