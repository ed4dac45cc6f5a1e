#include "tools/refinance/resultsform.h"

#include "tools/refinance/refinance.h"
#include "tools/refinance/refinanceform.h"
#include "tools/reportlayout.h"

namespace tw {

void RefinanceResultsForm::opened(Window& window)
{
    attach(window);
    layOut();
}

void RefinanceResultsForm::command(int id)
{
    switch (id) {
    case kOk:
        finish();
        return;
    case kEscapeCommand:
        // The graph program is started whatever the run found: it reads what the file holds.
        analysis_.runAnalysis(RefinanceMode::Graph, *window_);
        context_.platform.startProgram(RefinanceForm::kGraphProgram);
        return;
    case kPrint:
        context_.records.print.kind = kPrintKind;
        if (context_.printRefinanceReport)
            context_.printRefinanceReport(window_);
        return;
    default:
        return;
    }
}

void RefinanceResultsForm::closeRequested()
{
    // Closing by the close box, unlike OK, lets the next opening size the columns afresh.
    context_.records.refinanceResults.known = false;
    finish(2);
}

void RefinanceResultsForm::resized(Size /*client*/)
{
    layOut();
}

void RefinanceResultsForm::savePdfRequested(std::string_view path)
{
    if (context_.savePrintoutPdf)
        context_.savePrintoutPdf(window_, kPrintKind, path);
}

void RefinanceResultsForm::previewRequested()
{
    if (context_.previewPrintout)
        context_.previewPrintout(window_, kPrintKind);
}

void RefinanceResultsForm::layOut()
{
    LayOutReport(*window_, context_.records.refinanceResults,
                 {kList, kOk, kPrint, RefinanceColumnTitles(), &RefinanceColumnFactors(),
                  kRefinanceWidthDivisor});
    analysis_.runAnalysis(RefinanceMode::Table, *window_, window_, kList);
}

} // namespace tw
