#include "tools/refinance/refinance.h"

#include <cmath>
#include <utility>

namespace tw {

namespace {

constexpr const char* kOverflowText =
    "The analysis cannot be computed for these values: an amount grows beyond the largest "
    "number the program can hold. Please enter a lower rate, smaller amounts or fewer years.";

// A refused run hands over only what was read and shown before the refusal.
RefinanceOutcome Refused(RefinanceOutcome out, RefinanceRefusal refusal)
{
    out.refusal = std::move(refusal);
    return out;
}

RefinanceOutcome Overflowed(RefinanceOutcome out)
{
    return Refused(std::move(out), {kOverflowText, "AMOUNT ERROR", RefinanceIcon::Error});
}

} // namespace

RefinanceOutcome RunRefinanceAnalysis(const RefinanceInput& input, RefinanceMode mode,
                                      LoanMonthsMaker loans)
{
    using Field = RefinanceField;
    RefinanceVerdict verdict = CheckRefinanceInput(input);
    RefinanceOutcome out;
    // The existing mortgage and the age at refinancing come before the amount.
    if (!verdict.reaches(Field::RefinancedRate))
        return Refused(std::move(out), std::move(verdict.refusal));

    // Not typed: the balance at the start of the year of refinancing, plus the cash out.
    Money amount = input.refinancedAmount;
    if (!(amount > 0)) {
        amount = BalanceAtRefinancing(input, loans);
        if (!std::isfinite(amount))
            return Overflowed(std::move(out));
        out.amountText = RefinanceAmountText(amount);
    }
    if (verdict.reaches(Field::TaxRate))
        out.taxRateRead = input.taxRate;
    if (verdict.reaches(Field::SavingsRate))
        out.savingsRateRead = input.savingsRate;
    if (verdict.refused)
        return Refused(std::move(out), std::move(verdict.refusal));

    const std::optional<RefinanceSimulation> simulation = SimulateRefinance(input, amount, loans);
    if (!simulation)
        return Overflowed(std::move(out));
    static_cast<RefinanceFormTexts&>(out) = FormatRefinanceResults(*simulation);
    out.printHeader = kRefinancePrintHeader;
    if (mode == RefinanceMode::Table) {
        out.rows = RefinanceRows(*simulation);
        out.printRows = RefinancePrintLines(out.rows);
    }
    if (mode == RefinanceMode::Graph)
        out.graphText = RefinanceGraphText(*simulation);
    return out;
}

} // namespace tw
