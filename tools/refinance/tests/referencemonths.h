#pragma once
// The loans of the refinance analysis as the arithmetic defines them: every month's principal
// simulated again from month 0 by AmortizeRange. Quadratic in the months analysed; the tests
// and the benchmark hold the program's one-pass loans to it.

#include "finance/loan.h"
#include "tools/refinance/refinancesimulation.h"

#include <memory>

namespace tw {

class ReferenceMonths final : public LoanMonths
{
  public:
    ReferenceMonths(Money principal, float rate, int periods)
        : principal_(principal), rate_(rate), periods_(periods)
    {
    }
    Money payment() const override { return MonthlyPayment(principal_, rate_, periods_); }
    Money principalOf(int month) const override
    {
        return AmortizeRange(principal_, rate_, periods_, month, month).principal;
    }

    static std::unique_ptr<LoanMonths> Make(Money principal, float rate, int periods)
    {
        return std::make_unique<ReferenceMonths>(principal, rate, periods);
    }

  private:
    Money principal_;
    float rate_;
    int periods_;
};

} // namespace tw
