#pragma once
// The texts of the refinance analysis, made from its numbers: the form's results, the rows
// of the results list, the print file "refprt.tmp" and the graph file "ref.tmp".

#include "tools/refinance/refinancesimulation.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

inline constexpr int kRefinanceColumns = 10;
using RefinanceRow = std::array<std::string, kRefinanceColumns>;

// The column titles of the results list, in order.
const std::array<std::string_view, kRefinanceColumns>& RefinanceColumnTitles();
// Width factors of the columns, out of 500 of the list's width.
const std::array<int, kRefinanceColumns>& RefinanceColumnFactors();
inline constexpr int kRefinanceWidthDivisor = 500;

// The header and end lines of the print file.
inline constexpr const char* kRefinancePrintHeader =
    "Age\tNet Worth\tSavings\tEquity\t+Diff. in Mon. Pay.\t+Principal\t-Interest\t+Tax Savings\t"
    "-Savings Interest\t-Tax on Interest\n";
inline constexpr const char* kRefinancePrintEnd = "Dooone\nDooone\n";

// The refinanced Amount field as the analysis fills it in: "%-12.2f", no money formatting.
std::string RefinanceAmountText(Money amount);

// The form's results, with money formatting.
struct RefinanceFormTexts
{
    std::string existingPayment;   // "%-9.2f"
    std::string totalCosts;        // "%-12.2f"
    std::string refinancedPayment; // "%-12.2f"
    std::string refinancedAmount;  // "%-12.2f", after the inclusions
    std::string breakEven;         // "%-3d": months to break even, or the months analysed
    int breakEvenMonths = 0;
    bool brokeEven = false;
};
RefinanceFormTexts FormatRefinanceResults(const RefinanceSimulation& simulation);

// Two rows an age, the existing future's ("%3d O") before the refinanced one's ("%3d R"); the
// values "%16.2f", but the literal "0.00" as the starting rows' payment difference.
std::vector<RefinanceRow> RefinanceRows(const RefinanceSimulation& simulation);

// The rows as lines of the print file: the texts separated by tabs.
std::string RefinancePrintLines(const std::vector<RefinanceRow>& rows);

// The whole graph file: its head, a point for month 0 and every fourth month, its end lines.
std::string RefinanceGraphText(const RefinanceSimulation& simulation);

} // namespace tw
