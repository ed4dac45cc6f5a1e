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

void RefinanceResultsForm::otherCommand(int id)
{
    if (id != kEscapeCommand)
        return;
    // The graph program is started whatever the run found: it reads what the file holds.
    analysis_.runAnalysis(RefinanceMode::Graph, *window_);
    context_.platform.startProgram(RefinanceForm::kGraphProgram);
}

void RefinanceResultsForm::build()
{
    layOut();
    analysis_.runAnalysis(RefinanceMode::Table, *window_, window_, listId());
}

} // namespace tw
