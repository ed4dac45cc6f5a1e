#pragma once
#include "tools/toolcatalog.h"
#include "tools/toolform.h"

namespace tw {

// The Accelerated Mortgage Payment Analysis: what a fixed amount added to every monthly
// payment saves, and what the same amount would have grown to if invested. It works on the
// current mortgage: the values that pass Calculate's checks are written back into it.
class AccelForm final : public ToolForm
{
  public:
    static constexpr int kAmount = 1;
    static constexpr int kYears = 2;
    static constexpr int kRate = 3;
    static constexpr int kExtra = 4;
    static constexpr int kPayment = 5;
    static constexpr int kTotalPayments = 6;
    static constexpr int kTotalInterest = 7;
    static constexpr int kPaymentYears = 8;
    static constexpr int kAcceleratedPayment = 9;
    static constexpr int kAcceleratedTotalPayments = 10;
    static constexpr int kAcceleratedInterest = 11;
    static constexpr int kSavings = 12;
    static constexpr int kYearsLeft = 13;
    static constexpr int kInvested = 14;
    static constexpr int kInvestmentRate = 15;
    static constexpr int kTaxRate = 16;
    static constexpr int kInflationRate = 17;
    static constexpr int kInvestmentWorth = 18;
    static constexpr int kInvestmentYears = 19;
    static constexpr int kOk = 101;
    static constexpr int kCalculate = 102;
    static constexpr int kHelp = 105;
    static constexpr int kHelpContext = 1555;

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {kAmount, kYears,          kYearsLeft, kRate,
                                      kExtra,  kInvestmentRate, kTaxRate,   kInflationRate};
    static constexpr int kResults[] = {kInvested,
                                       kInvestmentWorth,
                                       kInvestmentYears,
                                       kPayment,
                                       kTotalPayments,
                                       kTotalInterest,
                                       kPaymentYears,
                                       kAcceleratedPayment,
                                       kAcceleratedTotalPayments,
                                       kAcceleratedInterest,
                                       kSavings};
    static constexpr int kButtons[] = {kOk, kCalculate, kHelp};

    static const ToolDescription kTool;

    explicit AccelForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
    int defaultButton() const override;
    void opened(Window& window) override;
    void command(int id) override;

  private:
    void calculate();
};

} // namespace tw
