#pragma once
// The results as texts: the cells of the methods' table and of the projection, the lines that
// describe the inputs, and the whole report as plain text or CSV. The window's list, the
// printout, the copy, the export and the command line all take their cells from here.

#include "rule72t/distributions.h"

#include <string>
#include <utility>
#include <vector>

namespace tw::rule72t {

struct ReportTable
{
    std::vector<std::string> titles;
    std::vector<std::vector<std::string>> rows;
};

// How amounts are written: "11,049.72" for people, "11049.72" for spreadsheets.
enum class Amounts { Grouped, Plain };

std::string AmountText(Money amount, Amounts style);
// The factor as the Notice shows it: a table's years with one decimal ("36.2"), the
// amortization and annuity factors with four ("18.9559").
std::string FactorText(Method method, double factor);

// Method, Factor, Annual Amount, Per Payment: one row a method.
ReportTable MethodTable(const DistributionResult& result, Amounts style);
// Year, From, Age, then the payment and the balance left under each method. A balance that
// has run out reads "run out".
ReportTable ProjectionTable(const DistributionResult& result, Amounts style);

// The inputs as label and value, in the form's order: what the printout's title page and
// the text report show above the results.
std::vector<std::pair<std::string, std::string>> InputLines(const DistributionInput& input,
                                                            const DistributionResult& result);

// "The series may be changed from 2034-09: the later of five years after the first payment
// and age 59½."
std::string MayChangeLine(const DistributionResult& result);

// Said, not refused, when the owner is 59½ or older at the first distribution.
inline constexpr char kTaxFreeNote[] =
    "The owner is 59\u00bd or older at the first distribution: the 10 % additional tax does "
    "not apply, so no series is needed to avoid it.";
inline constexpr char kReportTitle[] = "Rule 72T Distributions";
inline constexpr char kAdviceNote[] =
    "The figures follow IRS Notice 2022-6 and are not tax advice.";

// A table as aligned columns of text: the first two left-aligned, the rest right-aligned.
std::string ColumnsText(const ReportTable& table);

// The whole report for the command line: inputs, the three methods, the earliest change,
// the projection and the note; or as CSV, the methods' table, an empty line, the projection.
std::string ReportText(const DistributionInput& input, const DistributionResult& result);
std::string ReportCsv(const DistributionResult& result);

} // namespace tw::rule72t
