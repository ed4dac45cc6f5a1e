#include "tools/toolcatalog.h"

#include "tools/calculators/creditcardform.h"
#include "tools/calculators/effectiveform.h"
#include "tools/calculators/inflationform.h"
#include "tools/calculators/taxesform.h"
#include "tools/calculators/tradeform.h"
#include "tools/loansolver/loansolverform.h"
#include "tools/mortgage/accelform.h"
#include "tools/mortgage/loanform.h"
#include "tools/mortgage/mortgageform.h"
#include "tools/refinance/refinanceform.h"

#include <array>

namespace tw {

std::span<const ToolDescription* const> ToolCatalog()
{
    static const std::array kTools = {
        &MortgageForm::kTool,   &RefinanceForm::kTool,  &AccelForm::kTool, &LoanForm::kTool,
        &LoanSolverForm::kTool, &InflationForm::kTool,  &TaxesForm::kTool, &TradeForm::kTool,
        &EffectiveForm::kTool,  &CreditCardForm::kTool,
    };
    return kTools;
}

const ToolDescription* FindToolByCommand(int command)
{
    for (const ToolDescription* tool : ToolCatalog()) {
        if (tool->command == command)
            return tool;
    }
    return nullptr;
}

const ToolDescription* FindToolByResource(std::string_view resource)
{
    for (const ToolDescription* tool : ToolCatalog()) {
        if (tool->resource == resource)
            return tool;
    }
    return nullptr;
}

} // namespace tw
