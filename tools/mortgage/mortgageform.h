#pragma once
#include "tools/toolcatalog.h"
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
    static constexpr int kStartAge = 102;
    static constexpr int kPayoffAge = 103;
    static constexpr int kAmount = 104;
    static constexpr int kDownPayment = 105;
    static constexpr int kRate = 106;
    static constexpr int kYears = 107;
    static constexpr int kMonthlyPayment = 108;
    static constexpr int kOk = 109;
    static constexpr int kHelp = 111;
    static constexpr int kCalculate = 112;
    static constexpr int kAppreciation = 113;
    static constexpr int kSellAge = 114;
    static constexpr int kSchedule = 115;
    static constexpr int kRefinancing = 118;
    static constexpr int kAccelerated = 121;
    static constexpr int kAcceleratedAmount = 122;
    static constexpr int kSellingPercent = 125;
    static constexpr int kHelpContext = 259;

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {
        kStartAge, kPayoffAge,    kRate,    kAmount,         kDownPayment,
        kYears,    kAppreciation, kSellAge, kSellingPercent, kAcceleratedAmount};
    static constexpr int kResults[] = {kMonthlyPayment};
    static constexpr int kButtons[] = {kRefinancing, kAccelerated, kOk,
                                       kCalculate,   kSchedule,    kHelp};

    static const ToolDescription kTool;

    explicit MortgageForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
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
