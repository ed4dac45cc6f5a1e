#include "tools/mortgage/scheduleform.h"

#include "tools/mortgage/schedule.h"
#include "tools/mortgage/scheduletable.h"
#include "tools/textfile.h"

#include <algorithm>
#include <cstdio>

namespace tw {

ScheduleForm::ScheduleForm(ToolContext& context)
    : ReportForm(context, PrintoutKind::Schedule, context.records.mortgageSchedule,
                 {kList, kOk, kPrint, ScheduleColumnTitles(), &ScheduleColumnFactors(),
                  kScheduleWidthDivisor})
{
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
    layOut();

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
    showsTable(kFileName, std::move(text));
}

} // namespace tw
