#pragma once
#include "tools/calculators/tradeoff.h"
#include "tools/toolcatalog.h"
#include "tools/toolform.h"

namespace tw {

// Trade-off analysis: up to three options, each with fixed and per-period costs and
// incomes, compared over a common number of periods. Graph hands the period values to the
// outside graph program through trade.tmp; OK saves the inputs in tradeinf.dat. The inputs
// survive between openings in AppRecords::trade.
class TradeForm final : public ToolForm
{
  public:
    static constexpr int kGraph = 104;
    static constexpr int kDifference12 = 108;
    static constexpr int kDifference23 = 109;
    static constexpr int kDifference13 = 110;
    static constexpr int kOk = 501;
    static constexpr int kCalculate = 502;
    static constexpr int kHelp = 503;
    static constexpr int kPeriods = 601;
    static constexpr int kFirstName = 901; // 901, 902, 903
    static constexpr int kNameFields[] = {kFirstName, kFirstName + 1, kFirstName + 2};
    static constexpr int kFirstEnd = 950; // 950, 951, 952
    // The amount fields of option k (0 to 2) are kAmountRows[row] + k, the rows being fixed
    // cost, cost per period, fixed amount and income per period (held values row × 3 + k).
    static constexpr int kAmountRows[4] = {101, 201, 301, 401};

    static constexpr int kHelpContext = 1540;

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {
        kFirstName,         kFirstName + 1,     kFirstName + 2,     kAmountRows[0],
        kAmountRows[0] + 1, kAmountRows[0] + 2, kAmountRows[1],     kAmountRows[1] + 1,
        kAmountRows[1] + 2, kAmountRows[2],     kAmountRows[2] + 1, kAmountRows[2] + 2,
        kAmountRows[3],     kAmountRows[3] + 1, kAmountRows[3] + 2, kPeriods};
    static constexpr int kResults[] = {kFirstEnd,     kFirstEnd + 1, kFirstEnd + 2,
                                       kDifference12, kDifference23, kDifference13};
    static constexpr int kButtons[] = {kOk, kGraph, kCalculate, kHelp};

    static const ToolDescription kTool;

    explicit TradeForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
    void opened(Window& window) override;
    void command(int id) override;
    void spinMoved(int buddyId, int position) override;

  private:
    // Reads every field; false when a number lay beyond the float range (it is not held).
    bool readFields();
    void warnTooLarge();
    // Shows the results of the held values; false when they lie beyond the float range,
    // after a warning unless quiet.
    bool computeAndShow(bool quiet = false);
    void graph();
    TradeInput input() const;
};

} // namespace tw
