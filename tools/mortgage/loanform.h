#pragma once
#include "tools/toolcatalog.h"
#include "tools/toolform.h"

namespace tw {

// The Loan Calculator: amount, down payment, yearly rate and term in, monthly payment out.
// It keeps the texts of its fields as Calculate last read them (refused ones included) and
// shows them again at the next opening.
class LoanForm final : public ToolForm
{
  public:
    static constexpr int kAmount = 104;
    static constexpr int kDownPayment = 105;
    static constexpr int kRate = 106;
    static constexpr int kYears = 107;
    static constexpr int kPayment = 108;
    static constexpr int kOk = 109;
    static constexpr int kHelp = 111;
    static constexpr int kCalculate = 112;
    static constexpr int kHelpContext = 260;

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {kAmount, kDownPayment, kRate, kYears};
    static constexpr int kResults[] = {kPayment};
    static constexpr int kButtons[] = {kCalculate, kOk, kHelp};

    static const ToolDescription kTool;

    explicit LoanForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
    int defaultButton() const override;
    void opened(Window& window) override;
    void command(int id) override;

  private:
    void calculate();
};

} // namespace tw
