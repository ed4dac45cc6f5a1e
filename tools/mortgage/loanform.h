#pragma once
#include "tools/toolform.h"

namespace tw {

// The Loan Calculator: amount, down payment, yearly rate and term in, monthly payment out.
// It keeps the texts of its fields as Calculate last read them (refused ones included) and
// shows them again at the next opening.
class LoanForm final : public ToolForm
{
  public:
    explicit LoanForm(ToolContext& context) : ToolForm(context, ToolMark::Loan) {}

    std::string_view resource() const override { return "mortgagec"; }
    int defaultButton() const override;
    void opened(Window& window) override;
    void command(int id) override;

  private:
    void calculate();
};

} // namespace tw
