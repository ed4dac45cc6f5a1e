#pragma once
#include "platform/form.h"
#include "tools/toolcontext.h"

namespace tw {

// The Loan Calculator: amount, down payment, yearly rate and term in, monthly payment out.
// It keeps the texts of its fields as Calculate last read them (refused ones included) and
// shows them again at the next opening.
class LoanForm final : public Form
{
public:
    explicit LoanForm(ToolContext& context) : context_(context) {}

    std::string_view resource() const override { return "mortgagec"; }
    int defaultButton() const override;
    void opened(Window& window) override;
    void command(int id) override;
    void moved() override;

private:
    void calculate();

    ToolContext& context_;
    Window* window_ = nullptr;
};

} // namespace tw
