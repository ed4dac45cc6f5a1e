#pragma once
#include "tools/refinance/refinance.h"
#include "tools/toolcatalog.h"
#include "tools/toolform.h"

namespace tw {

// The refinance form: an existing mortgage and its refinancing. The refinanced amount is not
// typed: it follows the age at refinancing and the cash out as those fields are left. Do
// Analysis runs the analysis into the form's results, Show Details opens the year-by-year
// table, Graph writes the graph file and starts the graph program. Only OK closes it.
class RefinanceForm final : public ToolForm
{
  public:
    static constexpr int kStartAge = 104;
    static constexpr int kExistingAmount = 105;
    static constexpr int kExistingRate = 106;
    static constexpr int kExistingYears = 107;
    static constexpr int kExistingPayment = 108;
    static constexpr int kRefinanceAge = 109;
    static constexpr int kRefinancedAmount = 110;
    static constexpr int kRefinancedRate = 111;
    static constexpr int kRefinancedYears = 112;
    static constexpr int kRefinancedPayment = 113;
    static constexpr int kClosingCosts = 114;
    static constexpr int kIncludeCosts = 115;
    static constexpr int kPoints = 116;
    static constexpr int kIncludePoints = 117;
    static constexpr int kOk = 118;
    static constexpr int kHelp = 121;
    static constexpr int kDoAnalysis = 120;
    static constexpr int kTaxRate = 122;
    static constexpr int kSavingsRate = 123;
    static constexpr int kShowDetails = 124;
    static constexpr int kResultAmount = 125;
    static constexpr int kTotalCosts = 126;
    static constexpr int kBreakEven = 127;
    static constexpr int kCashOut = 128;
    static constexpr int kCashOutAsSavings = 129;
    static constexpr int kGraph = 130;
    static constexpr int kHelpContext = 1537;
    static constexpr const char* kPrintFile = "refprt.tmp";
    static constexpr const char* kGraphFile = "ref.tmp";
    static constexpr const char* kGraphProgram = "twref.exe ref.tmp";

    // The numbered controls of the dialog, by kind.
    static constexpr int kInputs[] = {
        kStartAge,         kExistingAmount, kExistingRate,   kExistingYears,   kRefinanceAge,
        kRefinancedAmount, kCashOut,        kRefinancedRate, kRefinancedYears, kClosingCosts,
        kPoints,           kTaxRate,        kSavingsRate};
    static constexpr int kResults[] = {kExistingPayment, kRefinancedPayment, kResultAmount,
                                       kTotalCosts, kBreakEven};
    static constexpr int kChecks[] = {kCashOutAsSavings, kIncludeCosts, kIncludePoints};
    static constexpr int kButtons[] = {kOk, kDoAnalysis, kShowDetails, kGraph, kHelp};

    static const ToolDescription kTool;

    explicit RefinanceForm(ToolContext& context) : ToolForm(context, kTool.mark) {}

    std::string_view resource() const override { return kTool.resource; }
    int defaultButton() const override { return kDoAnalysis; }
    void opened(Window& window) override;
    void command(int id) override;
    void focusLost(int id) override;

    // Runs the analysis on the form's fields as they stand and shows its results in the form;
    // its boxes are owned by starter. In table mode the rows go to list listId of rows and the
    // list is shown. printText, when given, receives the text of the print file of the run
    // (whether or not the file could be written). Returns 1 when a check refused the input,
    // else 0.
    int runAnalysis(RefinanceMode mode, Window& starter, Window* rows = nullptr, int listId = 0,
                    std::string* printText = nullptr);

    // The form's fields and results as it shows them, under their labels, for the title page
    // of the printed report.
    std::vector<TitlePageLine> shownFields() const;

  private:
    // The checks of Do Analysis and Show Details, storing each value as it is read.
    bool checkFields();
    void leaveRefinanceAge();
    void leaveCashOut();
    // Reads the existing mortgage into the working copies, without checks.
    void readExistingMortgage();
    // refinanceAge as typed: it may lie beyond the float range, where it is not kept.
    void updateAmount(bool withRepaid, Age refinanceAge);
    void keep();
    RefinanceInput readInput() const;

    // The existing mortgage while the form is open; every opening starts from the current
    // mortgage again.
    struct Working
    {
        Age startAge = 0;
        Money amount = 0;
        Percent rate = 0;
        int years = 0;
        Money payment = 0;
    } working_;
};

} // namespace tw
