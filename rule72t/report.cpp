#include "rule72t/report.h"

#include "finance/format.h"
#include "finance/money.h"
#include "platform/tableexport.h"

#include <algorithm>

namespace tw::rule72t {

namespace {

constexpr char kRunOut[] = "run out";

// The methods' short names in the projection's titles (RMD: required minimum distribution).
std::string_view ShortName(Method method)
{
    switch (method) {
    case Method::MinimumDistribution:
        return "RMD";
    case Method::Amortization:
        return "Amortization";
    case Method::Annuitization:
        break;
    }
    return "Annuitization";
}

std::string PercentText(Percent rate)
{
    return Format("%.2f %%", rate);
}

} // namespace

std::string AmountText(Money amount, Amounts style)
{
    const std::string plain = FormatCents(amount, 0);
    if (style == Amounts::Plain)
        return plain;
    return FormatMoney(plain).substr(1); // without the "$": the titles say dollars
}

std::string FactorText(Method method, double factor)
{
    return method == Method::MinimumDistribution ? Format("%.1f", factor) : Format("%.4f", factor);
}

ReportTable MethodTable(const DistributionResult& result, Amounts style)
{
    ReportTable table{{"Method", "Factor", "Annual Amount", "Per Payment"}, {}};
    for (std::size_t m = 0; m < kMethods.size(); ++m) {
        const MethodAmount& amount = result.methods[m];
        table.rows.push_back(
            {std::string(MethodName(kMethods[m])), FactorText(kMethods[m], amount.factor),
             AmountText(amount.annual, style), AmountText(amount.perPayment, style)});
    }
    return table;
}

ReportTable ProjectionTable(const DistributionResult& result, Amounts style)
{
    ReportTable table{{"Year", "From", "Age"}, {}};
    for (const Method method : kMethods) {
        table.titles.push_back(std::string(ShortName(method)) + " Payment");
        table.titles.push_back(std::string(ShortName(method)) + " Balance");
    }
    for (const ProjectionYear& year : result.projection) {
        std::vector<std::string> row{std::to_string(year.number), MonthText(year.from),
                                     std::to_string(year.age)};
        for (const ProjectedPayment& cell : year.methods) {
            row.push_back(AmountText(cell.payment, style));
            row.push_back(cell.runOut ? kRunOut : AmountText(cell.balance, style));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::vector<std::pair<std::string, std::string>> InputLines(const DistributionInput& input,
                                                            const DistributionResult& result)
{
    std::vector<std::pair<std::string, std::string>> lines{
        {"Account balance", "$" + AmountText(input.balance, Amounts::Grouped)},
        {"Owner's date of birth", MonthText(input.born)},
        {"First distribution",
         MonthText(input.start) + ", age " + std::to_string(result.age) + " in its year"},
        {"Life table", std::string(TableName(input.table))},
    };
    if (input.table == LifeTable::Joint)
        lines.emplace_back("Beneficiary's date of birth",
                           MonthText(input.beneficiaryBorn) + ", age " +
                               std::to_string(result.beneficiaryAge) + " in the first year");
    lines.emplace_back("Interest rate",
                       PercentText(input.rate) + " (at most " + PercentText(result.cap) + ")");
    if (!input.midTerm.empty()) {
        std::string rates;
        for (const Percent rate : input.midTerm)
            rates += (rates.empty() ? "" : ", ") + PercentText(rate);
        lines.emplace_back("Federal mid-term rates", rates);
    }
    lines.emplace_back("Payments a year", std::to_string(input.paymentsPerYear));
    lines.emplace_back("Assumed yearly growth", PercentText(input.growth));
    return lines;
}

std::string MayChangeLine(const DistributionResult& result)
{
    return "The series may be changed from " + MonthText(result.mayChange) +
           ": the later of five years after the first payment and age 59\u00bd.";
}

std::string ColumnsText(const ReportTable& table)
{
    std::vector<std::size_t> widths(table.titles.size());
    auto widen = [&](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], cells[c].size());
    };
    widen(table.titles);
    for (const auto& row : table.rows)
        widen(row);
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            const std::string padding(widths[c] - cells[c].size(), ' ');
            text += c == 0 ? "" : "  ";
            text += c < 2 ? cells[c] + padding : padding + cells[c];
        }
        text.erase(text.find_last_not_of(' ') + 1);
        return text + "\n";
    };
    std::string text = line(table.titles);
    for (const auto& row : table.rows)
        text += line(row);
    return text;
}

std::string ReportText(const DistributionInput& input, const DistributionResult& result)
{
    std::string text = std::string(kReportTitle) + "\n\n";
    std::size_t width = 0;
    const auto lines = InputLines(input, result);
    for (const auto& [label, value] : lines)
        width = std::max(width, label.size());
    for (const auto& [label, value] : lines)
        text += label + std::string(width + 2 - label.size(), ' ') + value + "\n";
    text += "\n" + ColumnsText(MethodTable(result, Amounts::Grouped)) + "\n" +
            MayChangeLine(result) + "\n\n" +
            ColumnsText(ProjectionTable(result, Amounts::Grouped)) + "\n";
    if (result.taxFree)
        text += std::string("Note: ") + kTaxFreeNote + "\n";
    return text + kAdviceNote + "\n";
}

std::string ReportCsv(const DistributionResult& result)
{
    const ReportTable methods = MethodTable(result, Amounts::Plain);
    const ReportTable projection = ProjectionTable(result, Amounts::Plain);
    return CsvText(methods.titles, methods.rows) + "\r\n" +
           CsvText(projection.titles, projection.rows);
}

} // namespace tw::rule72t
