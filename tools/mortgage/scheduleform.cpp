#include "tools/mortgage/scheduleform.h"

#include "tools/mortgage/schedule.h"
#include "tools/mortgage/scheduletable.h"
#include "tools/textfile.h"

#include <algorithm>
#include <cstdio>

namespace tw {

namespace {

constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 20;

} // namespace

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
        context_.records.print.kind = 12;
        if (context_.printMortgageSchedule)
            context_.printMortgageSchedule(window_);
        return;
    default:
        return;
    }
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

    const Size client = window.clientSize();
    const int listWidth = client.width - 20;
    const auto widths = ScheduleWidthsForBuild(context_.records.mortgageSchedule, listWidth);
    std::vector<ListColumn> columns;
    for (int i = 0; i < kScheduleColumns; ++i)
        columns.push_back({std::string(ScheduleColumnTitles()[i]), widths[i]});

    const Rect listArea{10, 10, std::max(listWidth, 0), std::max(client.height - 40, 0)};
    window.createList(kList, listArea, columns);
    const int buttonTop = client.height - 25;
    window.moveControl(kOk, {client.width / 2 - 65, buttonTop, kButtonWidth, kButtonHeight});
    window.moveControl(kPrint, {client.width / 2 + 5, buttonTop, kButtonWidth, kButtonHeight});

    const int rows = RunSchedule(context_.records.mortgageRecord(), [&](const ScheduleRow& row) {
        window.addListRow(kList, ScheduleCells(row));
        text += ScheduleFileLine(row);
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
