#include "tools/loansolver/loanscheduleform.h"

#include "finance/format.h"
#include "tools/textfile.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tw {

namespace {

constexpr std::array<std::string_view, kLoanScheduleColumns> kTitles = {
    "No.", "Year", "Payment", "Interest", "Principal", "Extra", "Balance"};
// Out of 625 of the list's width: the number and the year narrow, the amounts wide.
constexpr std::array<int, kReportColumns> kFactors = {50, 40, 90, 90, 90, 80, 100, 0, 0, 0};
constexpr int kWidthDivisor = 625;
constexpr Size kYearsOnlyLeast{100, 20};

std::string CompoundingText(const LoanTerms& terms)
{
    if (terms.compounding == kContinuous)
        return "continuous";
    return Format("%d a year", terms.compounding);
}

} // namespace

LoanScheduleForm::LoanScheduleForm(ToolContext& context, const LoanTerms& terms)
    : ReportForm(context, PrintoutKind::LoanSchedule, context.records.loanSchedule,
                 {kList, kOk, kPrint, kTitles, &kFactors, kWidthDivisor}),
      terms_(terms), schedule_(RunLoanSchedule(ScheduleOf(terms)))
{
}

void LoanScheduleForm::otherCommand(int id)
{
    if (id == kYearsOnly)
        build();
}

void LoanScheduleForm::build()
{
    Platform& platform = context_.platform;
    Window& window = *window_;

    std::optional<TextFile> file = TextFile::create(kFileName);
    if (!file) {
        platform.message(nullptr, "Cannot open temporary print file - loansched.tmp",
                         "FILE OPEN ERROR", MessageIcon::Error, MessageButtons::Ok, true);
        return;
    }
    layOut();
    // The choice sits at the left of the buttons' row.
    const Size client = window.clientSize();
    const Size box = window.fittedSize(kYearsOnly, kYearsOnlyLeast);
    window.moveControl(kYearsOnly, {10, client.height - 5 - box.height, box.width, box.height});

    std::string text;
    for (std::string_view title : kTitles)
        text += std::string(title) + '\t';
    text += '\n';
    const bool yearsOnly = window.isChecked(kYearsOnly);
    int rows = 0;
    for (const LoanRow& row : schedule_.rows) {
        if (yearsOnly && row.kind != LoanRowKind::YearTotal)
            continue;
        const std::vector<std::string> cells = LoanRowCells(row);
        for (const std::string& cell : cells)
            text += cell + '\t';
        text += '\n';
        window.addListRow(kList, cells);
        ++rows;
    }
    text += "Dooone";
    if (rows > 0)
        window.showControl(kList, true);

    if (!file->write(text)) {
        // Printing finds no table rather than one of an earlier build.
        std::remove(kFileName);
        platform.message(nullptr, "Cannot write temporary print file - loansched.tmp",
                         "FILE WRITE ERROR", MessageIcon::Error, MessageButtons::Ok, true);
    }
}

ReportHeading LoanScheduleForm::reportHeading() const
{
    const LoanTerms& t = terms_;
    ReportHeading heading;
    heading.inputs = {
        {"Amount borrowed", FormatDollars(t.amount)},
        {"Interest rate",
         Format("%.4f%% a year, compounded %s", t.ratePercent, CompoundingText(t).c_str())},
        {"Payments", Format("%d, %d a year, at the %s of each period", t.count, t.paymentsPerYear,
                            t.timing == PaymentTiming::End ? "end" : "beginning")},
        {"Payment", FormatDollars(t.payment)},
        {"Balloon", FormatDollars(t.balloon)},
        {"Fees and points", FormatDollars(t.fees) + Format(" and %.3f%%", t.pointsPercent)},
        {"Extra payment", FormatDollars(t.extra) + Format(" from payment %d", t.extraFrom)},
        {"Rounding", t.rounding == LoanRounding::Cents ? "to the cent, as lenders do" : "exact"},
    };
    return heading;
}

} // namespace tw
