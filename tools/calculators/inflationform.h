#pragma once
#include "tools/toolcatalog.h"
#include "tools/toolform.h"

namespace tw {

// The inflation calculator: what an amount at one age grows to at a later age with a fixed
// yearly inflation rate. Its values survive between openings in AppRecords::inflation.
// No Help button, no close box; Escape does nothing.
class InflationForm final : public ToolForm
{
  public:
    static constexpr int kStartAge = 101;
    static constexpr int kAmount = 102;
    static constexpr int kRate = 103;
    static constexpr int kEndAge = 104;
    static constexpr int kResult = 105;
    static constexpr int kOk = 106;
    static constexpr int kCalculate = 107;

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {kStartAge, kEndAge, kAmount, kRate};
    static constexpr int kResults[] = {kResult};
    static constexpr int kButtons[] = {kOk, kCalculate};

    static const ToolDescription kTool;

    explicit InflationForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
    void opened(Window& window) override;
    void command(int id) override;

  private:
    void calculate();
};

} // namespace tw
