#include "tools/refinance/resultsform.h"

#include "tools/refinance/refinance.h"
#include "tools/refinance/refinanceform.h"

namespace tw {

RefinanceResultsForm::RefinanceResultsForm(ToolContext& context, RefinanceForm& analysis)
    : ReportForm(context, PrintoutKind::Refinance, context.records.refinanceResults,
                 {kList, kOk, kPrint, RefinanceColumnTitles(), &RefinanceColumnFactors(),
                  kRefinanceWidthDivisor}),
      analysis_(analysis)
{
}

namespace {

constexpr const char* kTitle = "Refinance Analysis";

} // namespace

void RefinanceResultsForm::otherCommand(int id)
{
    if (id != kEscapeCommand)
        return;
    if (refused_) {
        context_.platform.message(window_,
                                  "There is no graph to show: the analysis did not accept its "
                                  "input.",
                                  kTitle, MessageIcon::Warning, MessageButtons::Ok, true);
        return;
    }
    // The graph program is started whatever the run found: it reads what the file holds.
    analysis_.runAnalysis(RefinanceMode::Graph, *window_);
    context_.platform.startProgram(RefinanceForm::kGraphProgram);
}

void RefinanceResultsForm::build()
{
    layOut();
    std::string text;
    if (!refused_ &&
        analysis_.runAnalysis(RefinanceMode::Table, *window_, window_, listId(), &text) == 0) {
        showsTable(RefinanceForm::kPrintFile, std::move(text));
        return;
    }
    refused_ = true;
    showsNothing(kTitle, "There is no report to print: the analysis did not accept its input.");
}

ReportHeading RefinanceResultsForm::reportHeading() const
{
    // The report's own title stays as the print layer gives it; the inputs say which loan.
    ReportHeading heading;
    heading.inputs = analysis_.shownFields();
    return heading;
}

} // namespace tw
