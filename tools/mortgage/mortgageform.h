#pragma once
#include "platform/form.h"
#include "tools/toolcontext.h"

#include <optional>

namespace tw {

// The Mortgage calculator: one mortgage described by ages, price, down payment, rate, term,
// appreciation and sale. Calculate and Schedule check the fields in a fixed order into the
// mortgage record (each value stored as it passes) and show the monthly payment; Schedule
// then opens the payoff schedule. OK keeps the fields, unchecked, in the current mortgage,
// which the accelerated-payment and refinance forms share.
class MortgageForm final : public Form
{
public:
    explicit MortgageForm(ToolContext& context) : context_(context) {}

    std::string_view resource() const override { return "mortgage"; }
    int defaultButton() const override;
    void opened(Window& window) override;
    void command(int id) override;
    void moved() override;

private:
    // Checks and stores the fields and shows the payment; false at the first refusal.
    bool calculate();
    void keep();
    void doRefinancing();
    void doAccelerated();
    // The accelerated monthly amount, when the field passes its check.
    std::optional<Money> readAcceleratedAmount();
    void readLoanIntoCurrentMortgage();

    ToolContext& context_;
    Window* window_ = nullptr;
};

} // namespace tw
