#pragma once
#include "tools/toolcatalog.h"
#include "tools/toolform.h"

namespace tw {

// The effective yearly rate of a nominal rate compounded a number of times a year. Opened
// from the menu and from the taxes analysis; it keeps nothing between openings. Enter is
// OK; Escape arrives as Calculate.
class EffectiveForm final : public ToolForm
{
  public:
    static constexpr int kOk = 1;
    static constexpr int kCalculate = 2; // also what Escape sends
    static constexpr int kHelp = 3;
    static constexpr int kNominalRate = 10;
    static constexpr int kDaily = 11;
    static constexpr int kMonthly = 12;
    static constexpr int kQuarterly = 13;
    static constexpr int kSemiannually = 14;
    static constexpr int kOther = 15;
    static constexpr int kOtherCount = 16;
    static constexpr int kResult = 17;

    static constexpr int kHelpContext = 1558;

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {kNominalRate, kOtherCount};
    static constexpr int kResults[] = {kResult};
    static constexpr int kRadios[] = {kDaily, kMonthly, kQuarterly, kSemiannually, kOther};
    static constexpr int kButtons[] = {kOk, kCalculate, kHelp};

    static const ToolDescription kTool;

    explicit EffectiveForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
    int defaultButton() const override { return kOk; }
    void opened(Window& window) override;
    void command(int id) override;

  private:
    void updateOtherCount();
    void calculate();
};

} // namespace tw
