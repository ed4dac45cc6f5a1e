#pragma once
// The refinance analysis: two futures of one household from the age at which a mortgage would
// be refinanced, one keeping the existing mortgage and one replacing it, on the same monthly
// budget (the larger of the two payments). Each future pays its mortgage out of the budget and
// saves the rest at the savings rate; mortgage interest earns a tax saving and savings
// interest is taxed, once a year, at the effective tax rate. Net worth is savings plus the
// principal repaid since the refinancing. The analysis reports both futures year by year and
// the first month in which the refinanced future's net worth reaches the existing one's.
//
// Pure computations in three steps: the input is checked against the rules
// (refinancerules.h), the futures are simulated as numbers (refinancesimulation.h) and the
// texts are made from them (refinanceformat.h). The form reads the fields and shows the texts.

#include "tools/refinance/refinanceformat.h"
#include "tools/refinance/refinancerules.h"
#include "tools/refinance/refinancesimulation.h"

#include <optional>
#include <string>
#include <vector>

namespace tw {

enum class RefinanceMode { Form = 0, Table = 1, Graph = 2 };

struct RefinanceOutcome : RefinanceFormTexts
{
    // The first check that failed, or an analysis that leaves the single-precision range;
    // nothing below it was computed then.
    std::optional<RefinanceRefusal> refusal;
    // What the run read into the remembered tax and savings rates before their checks.
    std::optional<Percent> taxRateRead;
    std::optional<Percent> savingsRateRead;
    // The refinanced Amount field, when the run computed it ("%-12.2f"); it is shown even when
    // a later check fails.
    std::optional<std::string> amountText;

    std::vector<RefinanceRow> rows; // table mode
    std::string printHeader;        // the first line of refprt.tmp
    std::string printRows;          // table mode: the rows, one line each
    std::string graphText;          // graph mode: the whole of ref.tmp
};

// Checks the input in the form's order and runs the analysis in the given mode, the months of
// each loan taken from loans.
RefinanceOutcome RunRefinanceAnalysis(const RefinanceInput& input, RefinanceMode mode,
                                      LoanMonthsMaker loans = TrajectoryMonths);

} // namespace tw
