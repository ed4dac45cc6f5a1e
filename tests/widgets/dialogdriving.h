#pragma once
// What the dialog tests do again and again: the worked cases in the records, finding the
// window a form opened, and walking from the refinance form to its results window.
#include "platform/form.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/qtplatform.h"
#include "tools/records.h"
#include "tools/toolcontext.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace tw::testing {

// A form that only names its resource, for looking at a dialog as it is built.
struct IdleForm final : Form
{
    explicit IdleForm(std::string name) : name(std::move(name)) {}
    std::string_view resource() const override { return name; }
    void opened(Window&) override {}
    std::string name;
};

// The documented mortgage: 200000, 40000 down, 6.5 % for 30 years, appreciation 3 %, from
// age 35 to 65 (31 schedule rows).
void SetWorkedMortgage(MortgageRecord& record);

// The worked refinance: 200000 at 8 % for 30 years from 40, refinanced at 45 to 6 % for 30
// years (62 result rows).
void SetWorkedRefinance(AppRecords& records);

// The visible top-level dialog built from resource name, if there is one.
QtDialogWindow* ShownDialog(const char* name);

// Opens the refinance form over context's records, presses Show Details, hands the results
// window to look (still in front of the form), then closes both with OK.
void WithRefinanceResults(QtPlatform& platform, ToolContext& context,
                          const std::function<void(QtDialogWindow& results)>& look);

} // namespace tw::testing
