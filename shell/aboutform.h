#pragma once
#include "platform/form.h"
#include "tools/toolcontext.h"

namespace tw {

// The About box. Only OK closes it; a close request, or a click or key press on its own
// surface, takes it off the open-tool marks while it stays on screen, so tools can be opened
// beside it from then on.
class AboutForm final : public Form
{
  public:
    static constexpr int kOk = 101;
    static constexpr int kVersion = 102;

    explicit AboutForm(ToolContext& context) : context_(context) {}

    std::string_view resource() const override { return "about"; }
    void opened(Window& window) override;
    void command(int id) override;
    void moved() override;
    void closeRequested() override;
    void surfaceClicked() override;

  private:
    ToolContext& context_;
    Window* window_ = nullptr;
};

} // namespace tw
