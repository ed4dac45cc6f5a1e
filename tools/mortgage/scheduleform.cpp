#include "tools/mortgage/scheduleform.h"

#include "finance/format.h"
#include "finance/money.h"
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

ReportHeading ScheduleForm::reportHeading() const
{
    // The mortgage calculator's fields, under its labels, as the schedule was computed from.
    const MortgageRecord& record = context_.records.mortgageRecord();
    const auto money = [](Money amount) { return FormatMoney(Format("%.2f", amount)); };
    const auto percent = [](Percent rate) { return Format("%.3f%%", rate); };
    const auto age = [](Age years) { return Format("%.0f", years); };
    ReportHeading heading;
    heading.inputs = {
        {"Start Age", age(record.startAge)},
        {"Payoff Age", age(record.payoffAge)},
        {"Rate", percent(record.rate)},
        {"Amount", money(record.amount)},
        {"Down Payment / Equity", money(record.downPayment)},
        {"No of Years", Format("%d", record.years)},
        {"Appreciation Rate", percent(record.appreciation)},
        {"Sell Age", age(record.sellAge)},
        {"Percent of Selling Price at Sale", percent(record.sellingPercent)},
        {"Monthly Payment", money(record.monthlyPayment)},
    };
    return heading;
}

} // namespace tw
