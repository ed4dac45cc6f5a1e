#pragma once
#include "platform/form.h"
#include "tools/toolcontext.h"

#include <optional>
#include <string_view>

namespace tw {

// What the tool forms share: the context they are built with, their dialog once it has
// opened, and the open-tool mark by which the guard finds the dialog while it is up. A tool
// window asks the main window to repaint its frame when it is moved or closed.
class ToolForm : public Form
{
  public:
    void moved() override;

  protected:
    ToolForm(ToolContext& context, ToolMark mark) : context_(context), mark_(mark) {}
    // A window the guard does not know of: it holds no mark.
    explicit ToolForm(ToolContext& context) : context_(context) {}

    // Keeps the dialog for the notices to come and sets the mark on it.
    void attach(Window& window);
    void clearMark();
    // Clears the mark, ends the dialog with result and has the main frame repainted.
    void finish(int result = 1);
    void showHelp(int helpContext);
    // The boxes of the field checks: system-modal, owned by the dialog; the field a check
    // refused, where there is one, has the focus when the box is closed.
    void showWarning(std::string_view text, std::string_view title,
                     std::optional<int> field = std::nullopt);
    void showError(std::string_view text, std::string_view title,
                   std::optional<int> field = std::nullopt);

    ToolContext& context_;
    Window* window_ = nullptr;

  private:
    std::optional<ToolMark> mark_;
};

} // namespace tw
