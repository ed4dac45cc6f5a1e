#include "tools/reportform.h"

#include "tools/textfile.h"

#include <cstdio>

namespace tw {

void ReportForm::opened(Window& window)
{
    attach(window);
    rebuild();
}

void ReportForm::command(int id)
{
    if (id == layout_.okId) {
        finish();
    } else if (id == layout_.printId) {
        if (!preparePrintout())
            return;
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
    rebuild();
}

void ReportForm::savePdfRequested(std::string_view path)
{
    if (!preparePrintout())
        return;
    context_.records.print.report = reportHeading();
    context_.printouts.savePdf(kind_, window_, path);
}

void ReportForm::previewRequested()
{
    if (!preparePrintout())
        return;
    context_.records.print.report = reportHeading();
    context_.printouts.preview(kind_, window_);
}

void ReportForm::layOut()
{
    LayOutReport(*window_, columns_, layout_);
}

void ReportForm::showsTable(std::string file, std::string text)
{
    shown_ = Shown{std::move(file), std::move(text)};
    nothing_.reset();
}

void ReportForm::showsNothing(std::string title, std::string text)
{
    nothing_ = Nothing{std::move(title), std::move(text)};
    shown_.reset();
}

void ReportForm::rebuild()
{
    shown_.reset();
    nothing_.reset();
    build();
}

bool ReportForm::preparePrintout()
{
    if (nothing_) {
        context_.platform.message(window_, nothing_->text, nothing_->title, MessageIcon::Warning,
                                  MessageButtons::Ok, true);
        return false;
    }
    // Without the file the printout says it cannot open it, rather than print what an
    // earlier run left there.
    if (shown_ && !TextFile::replace(shown_->file, shown_->text))
        std::remove(shown_->file.c_str());
    return true;
}

} // namespace tw
