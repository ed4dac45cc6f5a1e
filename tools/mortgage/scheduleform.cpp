#include "tools/mortgage/scheduleform.h"

#include "tools/mortgage/schedule.h"
#include "tools/mortgage/scheduletable.h"
#include "tools/reportlayout.h"
#include "tools/textfile.h"

#include <algorithm>
#include <cstdio>

namespace tw {

void ScheduleForm::opened(Window& window)
{
    attach(window);
    build();
}

void ScheduleForm::command(int id)
{
    switch (id) {
    case kOk:
        finish();
        return;
    case kPrint:
        context_.records.print.kind = kPrintKind;
        if (context_.printMortgageSchedule)
            context_.printMortgageSchedule(window_);
        return;
    default:
        return;
    }
}

void ScheduleForm::savePdfRequested(std::string_view path)
{
    if (context_.savePrintoutPdf)
        context_.savePrintoutPdf(window_, kPrintKind, path);
}

void ScheduleForm::previewRequested()
{
    if (context_.previewPrintout)
        context_.previewPrintout(window_, kPrintKind);
}

void ScheduleForm::closeRequested()
{
    // Closing by the close box, unlike OK, lets the next opening size the columns afresh.
    context_.records.mortgageSchedule.known = false;
    finish(2);
}

void ScheduleForm::resized(Size /*client*/)
{
    build();
}

void ScheduleForm::build()
{
    Platform& platform = context_.platform;
    Window& window = *window_;

    std::optional<TextFile> file = TextFile::create(kFileName);
    if (!file) {
        platform.message(nullptr, "Cannot open temporary print file - psched.tmp",
                         "FILE OPEN ERROR", MessageIcon::Error, MessageButtons::Ok, true);
        return;
    }
    std::string text = ScheduleFileHeader();
    LayOutReport(window, context_.records.mortgageSchedule,
                 {kList, kOk, kPrint, ScheduleColumnTitles(), &ScheduleColumnFactors(),
                  kScheduleWidthDivisor});

    const int rows = RunSchedule(context_.records.mortgageRecord(), [&](const ScheduleRow& row) {
        const std::vector<std::string> cells = ScheduleCells(row);
        text += ScheduleFileLine(cells);
        window.addListRow(kList, cells);
        return true;
    });
    text += kScheduleEndMarker;
    if (rows > 0)
        window.showControl(kList, true);

    if (!file->write(text)) {
        // Printing finds no table rather than one of an earlier build.
        std::remove(kFileName);
        platform.message(nullptr, "Cannot write temporary print file - psched.tmp",
                         "FILE WRITE ERROR", MessageIcon::Error, MessageButtons::Ok, true);
    }
}

} // namespace tw
