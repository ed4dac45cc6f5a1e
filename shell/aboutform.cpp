#include "shell/aboutform.h"

namespace tw {

void AboutForm::opened(Window& window)
{
    window_ = &window;
    window.setText(kVersion, "Version " TW_VERSION);
    context_.marks.set(ToolMark::About, &window);
}

void AboutForm::command(int id)
{
    if (id != kOk)
        return;
    context_.marks.clear(ToolMark::About);
    window_->end(1);
}

void AboutForm::moved()
{
    context_.platform.repaintMainFrame();
}

void AboutForm::closeRequested()
{
    context_.platform.repaintMainFrame();
    context_.marks.clear(ToolMark::About);
}

void AboutForm::surfaceClicked()
{
    context_.marks.clear(ToolMark::About);
}

} // namespace tw
