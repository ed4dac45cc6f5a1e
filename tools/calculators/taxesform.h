#pragma once
#include "tools/toolcatalog.h"
#include "tools/toolform.h"

namespace tw {

// Taxes, inflation and your investment: what an invested amount is worth after taxed yearly
// returns, and what that is in today's money. Its inputs survive between openings in
// AppRecords::taxes; the analysis sentence (fields 15 to 20) starts empty each time.
class TaxesForm final : public ToolForm
{
  public:
    static constexpr int kAmount = 10;
    static constexpr int kYears = 11;
    static constexpr int kReturnRate = 12;
    static constexpr int kTaxRate = 13;
    static constexpr int kInflationRate = 14;
    static constexpr int kShownYears = 15;
    static constexpr int kShownTaxRate = 16;
    static constexpr int kEndValue = 17;
    static constexpr int kShownInflationRate = 18;
    static constexpr int kTodayValue = 19;
    static constexpr int kRealRate = 20;
    static constexpr int kOk = 21;
    static constexpr int kCalculate = 22;
    static constexpr int kHelp = 23;
    static constexpr int kEffectiveRate = 24;

    static constexpr int kHelpContext = 1556;

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {kAmount, kYears, kReturnRate, kTaxRate, kInflationRate};
    static constexpr int kResults[] = {kShownYears,         kShownTaxRate, kEndValue,
                                       kShownInflationRate, kTodayValue,   kRealRate};
    static constexpr int kButtons[] = {kEffectiveRate, kOk, kCalculate, kHelp};

    static const ToolDescription kTool;

    explicit TaxesForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
    void opened(Window& window) override;
    void command(int id) override;

  private:
    void calculate();
};

} // namespace tw
