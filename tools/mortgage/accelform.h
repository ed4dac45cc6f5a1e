#pragma once
#include "tools/toolform.h"

namespace tw {

// The Accelerated Mortgage Payment Analysis: what a fixed amount added to every monthly
// payment saves, and what the same amount would have grown to if invested. It works on the
// current mortgage: the values that pass Calculate's checks are written back into it.
class AccelForm final : public ToolForm
{
  public:
    explicit AccelForm(ToolContext& context) : ToolForm(context, ToolMark::Accelerated) {}

    std::string_view resource() const override { return "accel"; }
    int defaultButton() const override;
    void opened(Window& window) override;
    void command(int id) override;

  private:
    void calculate();
};

} // namespace tw
