#pragma once
#include "tools/toolform.h"

#include <optional>

namespace tw {

// The Mortgage calculator: one mortgage described by ages, price, down payment, rate, term,
// appreciation and sale. Calculate and Schedule check the fields in a fixed order into the
// mortgage record (each value stored as it passes) and show the monthly payment; Schedule
// then opens the payoff schedule. OK keeps the fields, unchecked, in the current mortgage,
// which the accelerated-payment and refinance forms share.
class MortgageForm final : public ToolForm
{
  public:
    explicit MortgageForm(ToolContext& context) : ToolForm(context, ToolMark::Mortgage) {}

    std::string_view resource() const override { return "mortgage"; }
    int defaultButton() const override;
    void opened(Window& window) override;
    void command(int id) override;

  private:
    // Checks and stores the fields and shows the payment; false at the first refusal.
    bool calculate();
    void keep();
    void doRefinancing();
    void doAccelerated();
    // The accelerated monthly amount, when the field passes its check.
    std::optional<Money> readAcceleratedAmount();
    void readLoanIntoCurrentMortgage();
};

} // namespace tw
