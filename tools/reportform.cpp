#include "tools/reportform.h"

namespace tw {

void ReportForm::opened(Window& window)
{
    attach(window);
    build();
}

void ReportForm::command(int id)
{
    if (id == layout_.okId) {
        finish();
    } else if (id == layout_.printId) {
        context_.records.print.kind = kind_;
        context_.records.print.report = reportHeading();
        context_.printouts.print(kind_, window_);
    } else {
        otherCommand(id);
    }
}

void ReportForm::closeRequested()
{
    columns_.known = false;
    finish(2);
}

void ReportForm::resized(Size /*client*/)
{
    build();
}

void ReportForm::savePdfRequested(std::string_view path)
{
    context_.records.print.report = reportHeading();
    context_.printouts.savePdf(kind_, window_, path);
}

void ReportForm::previewRequested()
{
    context_.records.print.report = reportHeading();
    context_.printouts.preview(kind_, window_);
}

void ReportForm::layOut()
{
    LayOutReport(*window_, columns_, layout_);
}

} // namespace tw
