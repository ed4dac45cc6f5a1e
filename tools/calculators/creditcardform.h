#pragma once
#include "tools/toolcatalog.h"
#include "tools/toolform.h"

namespace tw {

// Credit card debt payoff: how many months a fixed monthly payment takes to clear a balance
// that keeps taking a fixed amount of purchases, and the interest paid on the way. Works on
// the CreditCardRecord of the record slot in force. No close box; OK computes once more
// before it closes.
class CreditCardForm final : public ToolForm
{
  public:
    static constexpr int kBalance = 104;
    static constexpr int kRate = 105;
    static constexpr int kYears = 106;
    static constexpr int kOk = 107;
    static constexpr int kHelp = 109;
    static constexpr int kPayment = 110;
    static constexpr int kCalculate = 111;
    static constexpr int kPurchases = 113;
    static constexpr int kMonths = 114;
    static constexpr int kInterest = 115;

    static constexpr int kHelpContext = 1586;

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {kBalance, kRate, kPayment, kPurchases};
    static constexpr int kResults[] = {kMonths, kYears, kInterest};
    static constexpr int kButtons[] = {kCalculate, kOk, kHelp};

    static const ToolDescription kTool;

    explicit CreditCardForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
    void opened(Window& window) override;
    void command(int id) override;

  private:
    void calculate();
    void warnTooLarge();
    void warnNeverPaidOff();
};

} // namespace tw
