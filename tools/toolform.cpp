#include "tools/toolform.h"

#include "platform/fields.h"

namespace tw {

void ToolForm::moved()
{
    context_.platform.repaintMainFrame();
}

void ToolForm::attach(Window& window)
{
    window_ = &window;
    if (mark_)
        context_.marks.set(*mark_, &window);
}

void ToolForm::clearMark()
{
    if (mark_)
        context_.marks.clear(*mark_);
}

void ToolForm::finish(int result)
{
    clearMark();
    window_->end(result);
    context_.platform.repaintMainFrame();
}

void ToolForm::showHelp(int helpContext)
{
    context_.platform.help(HelpRequest::Context, helpContext, window_);
}

void ToolForm::showWarning(std::string_view text, std::string_view title, std::optional<int> field)
{
    ShowFieldWarning(context_.platform, *window_, text, title, field);
}

void ToolForm::showError(std::string_view text, std::string_view title, std::optional<int> field)
{
    ShowFieldError(context_.platform, *window_, text, title, field);
}

} // namespace tw
