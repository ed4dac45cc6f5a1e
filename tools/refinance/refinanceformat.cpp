#include "tools/refinance/refinanceformat.h"

#include "finance/format.h"
#include "finance/money.h"

namespace tw {

namespace {

std::string Money16(double value)
{
    return FormatCents(value, 16);
}

RefinanceRow Row(const RefinanceYear& year, char letter, bool start)
{
    // "%3d O" and "%3d R": the age and the future's letter.
    return {FormatWhole(year.age, 3) + ' ' + letter,
            Money16(static_cast<double>(year.netWorth)),
            Money16(year.savings),
            Money16(year.equity),
            start ? "0.00" : Money16(static_cast<double>(year.difference)),
            Money16(year.principal),
            Money16(year.interest),
            Money16(year.taxSavings),
            Money16(year.savingsInterest),
            Money16(year.taxOnInterest)};
}

std::string GraphPoint(const RefinancePoint& point)
{
    return "0.0\n0.0\n" + Format("%f %f %f\n", static_cast<double>(point.month),
                                 static_cast<double>(point.existing),
                                 static_cast<double>(point.refinanced));
}

} // namespace

const std::array<std::string_view, kRefinanceColumns>& RefinanceColumnTitles()
{
    static constexpr std::array<std::string_view, kRefinanceColumns> titles = {
        "Age",
        "Net Worth",
        "Savings",
        "Equity",
        "+Diff. in Mon. Pay.",
        "+Principal",
        "-Interest",
        "+Tax Savings",
        "+Savings Interest",
        "-Tax on Interest"};
    return titles;
}

const std::array<int, kRefinanceColumns>& RefinanceColumnFactors()
{
    static constexpr std::array<int, kRefinanceColumns> factors = {30, 70, 70, 80, 83,
                                                                   68, 68, 65, 80, 75};
    return factors;
}

std::string RefinanceAmountText(Money amount)
{
    return Format("%-12.2f", amount);
}

RefinanceFormTexts FormatRefinanceResults(const RefinanceSimulation& simulation)
{
    RefinanceFormTexts texts;
    texts.existingPayment = FormatMoney(Format("%-9.2f", simulation.existingPayment));
    texts.totalCosts = FormatMoney(Format("%-12.2f", simulation.totalCosts));
    texts.refinancedPayment = FormatMoney(Format("%-12.2f", simulation.refinancedPayment));
    texts.refinancedAmount = FormatMoney(Format("%-12.2f", simulation.refinancedAmount));
    // Never broken even: the months analysed, 12 × (end − AgeR).
    texts.brokeEven = simulation.breakEven.has_value();
    texts.breakEvenMonths = simulation.breakEven.value_or(simulation.monthsAnalysed);
    texts.breakEven = Format("%-3d", texts.breakEvenMonths);
    return texts;
}

std::vector<RefinanceRow> RefinanceRows(const RefinanceSimulation& simulation)
{
    std::vector<RefinanceRow> rows;
    rows.reserve(simulation.existing.size() * 2);
    for (std::size_t i = 0; i < simulation.existing.size(); ++i) {
        rows.push_back(Row(simulation.existing[i], 'O', i == 0));
        rows.push_back(Row(simulation.refinanced[i], 'R', i == 0));
    }
    return rows;
}

std::string RefinancePrintLines(const std::vector<RefinanceRow>& rows)
{
    std::string lines;
    for (const RefinanceRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                lines += '\t';
            lines += row[i];
        }
        lines += '\n';
    }
    return lines;
}

std::string RefinanceGraphText(const RefinanceSimulation& simulation)
{
    std::string text = "1\nDummy\nDummy\nDummy\n" +
                       Format("%f\n", static_cast<double>(simulation.monthsAnalysed)) +
                       "2\nExisting Mortgage\nRefinanced Mortgage\n";
    for (const RefinancePoint& point : simulation.points)
        text += GraphPoint(point);
    return text + "Done\nDone\n";
}

} // namespace tw
