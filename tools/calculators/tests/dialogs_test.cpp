// The calculators' dialog resources as the program reads them: every control a form addresses
// is there with its id and kind, results are read-only, Enter has a default button to press,
// and the texts the forms show are the system's own.
#include "platform/script/dialogresource.h"
#include "platform/script/scripthost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tw {
namespace {

DialogResource Load(const char* name)
{
    const std::optional<std::string> text = ScriptHost::ReadCompiledDialog(name);
    EXPECT_TRUE(text.has_value()) << name;
    const std::optional<DialogResource> resource = ParseDialogResource(text.value_or(""));
    EXPECT_TRUE(resource.has_value()) << name;
    return resource.value_or(DialogResource{});
}

const DialogControl* Control(const DialogResource& dialog, int id)
{
    for (const DialogControl& control : dialog.controls)
        if (control.id == id)
            return &control;
    return nullptr;
}

struct DialogCase
{
    const char* name;
    const char* title;
    std::map<int, const char*> controls; // id → widget class
    std::set<int> results;               // read-only among them
    std::vector<const char*> texts;      // labels, groups and buttons that must appear
    int defaultButton;                   // what Enter presses
};

const DialogCase kDialogs[] = {
    {"inflate",
     "Inflation Calculator",
     {{101, "QLineEdit"},
      {104, "QLineEdit"},
      {102, "QLineEdit"},
      {103, "QLineEdit"},
      {105, "QLineEdit"},
      {106, "QPushButton"},
      {107, "QPushButton"}},
     {105},
     {"Start Age", "End Age", "Start Age Amount", "Inflation Rate", "%", "Inflated Amount", "OK",
      "Calculate"},
     107},
    {"taxinf",
     "Taxes, Inflation and Your Investment",
     {{10, "QLineEdit"},
      {11, "QLineEdit"},
      {12, "QLineEdit"},
      {13, "QLineEdit"},
      {14, "QLineEdit"},
      {15, "QLineEdit"},
      {16, "QLineEdit"},
      {17, "QLineEdit"},
      {18, "QLineEdit"},
      {19, "QLineEdit"},
      {20, "QLineEdit"},
      {21, "QPushButton"},
      {22, "QPushButton"},
      {23, "QPushButton"},
      {24, "QPushButton"}},
     {15, 16, 17, 18, 19, 20},
     {"Amount invested",
      "Number of years amount is invested",
      "Effective yearly rate of return on investment",
      "Calculate Effective Yearly Rate",
      "Rate at which investment is taxed",
      "Estimated yearly inflation rate",
      "Analysis",
      "At the end of",
      "years, taxed at a yearly rate of",
      "your investment will be worth",
      "At a yearly inflation",
      "rate of",
      "this amounts to",
      "in today's",
      "purchasing power.  It also represents a",
      "effective",
      "yearly rate of return on your investment.",
      "OK",
      "Calculate",
      "Help"},
     22},
    {"effective",
     "Calculate Effective Yearly Rate",
     {{10, "QLineEdit"},
      {11, "QRadioButton"},
      {12, "QRadioButton"},
      {13, "QRadioButton"},
      {14, "QRadioButton"},
      {15, "QRadioButton"},
      {16, "QLineEdit"},
      {17, "QLineEdit"},
      {1, "QPushButton"},
      {2, "QPushButton"},
      {3, "QPushButton"}},
     {17},
     {"Nominal Rate", "Daily", "Monthly", "Quarterly", "Semiannually",
      "Other - enter number of compoundings per year", "Effective Yearly Rate",
      "Interest Compounded", "OK", "Calculate", "Help"},
     1},
    {"ccard",
     "Credit Card Debt",
     {{104, "QLineEdit"},
      {105, "QLineEdit"},
      {110, "QLineEdit"},
      {113, "QLineEdit"},
      {114, "QLineEdit"},
      {106, "QLineEdit"},
      {115, "QLineEdit"},
      {111, "QPushButton"},
      {107, "QPushButton"},
      {109, "QPushButton"}},
     {114, 106, 115},
     {"Balance", "Rate", "Monthly Payments", "Monthly Purchases", " Results", "Months", "Years",
      "Total Interest", "Calculate", "OK", "Help"},
     111},
    {"trade",
     "Trade-Off Analysis",
     {{901, "QLineEdit"},   {902, "QLineEdit"},  {903, "QLineEdit"},   {101, "QLineEdit"},
      {102, "QLineEdit"},   {103, "QLineEdit"},  {201, "QLineEdit"},   {202, "QLineEdit"},
      {203, "QLineEdit"},   {301, "QLineEdit"},  {302, "QLineEdit"},   {303, "QLineEdit"},
      {401, "QLineEdit"},   {402, "QLineEdit"},  {403, "QLineEdit"},   {601, "QLineEdit"},
      {950, "QLineEdit"},   {951, "QLineEdit"},  {952, "QLineEdit"},   {108, "QLineEdit"},
      {109, "QLineEdit"},   {110, "QLineEdit"},  {501, "QPushButton"}, {104, "QPushButton"},
      {502, "QPushButton"}, {503, "QPushButton"}},
     {950, 951, 952, 108, 109, 110},
     {"Option 1", "Option 2", "Option 3", "Option Name", "Outgoing", "Fixed Cost",
      "Cost per Period", "Incoming", "Fixed Amount", "Income per Period", "End Amount",
      "No of Periods", "Differences", "OK", "Graph", "Calculate", "Help"},
     502},
};

TEST(DialogFiles, HoldEveryControlTheFormAddresses)
{
    for (const DialogCase& dialog : kDialogs) {
        SCOPED_TRACE(dialog.name);
        const DialogResource file = Load(dialog.name);
        EXPECT_EQ(file.name, dialog.name);
        EXPECT_EQ(file.title, dialog.title);
        EXPECT_FALSE(file.closeBox);

        std::set<int> seen;
        for (const DialogControl& control : file.controls) {
            SCOPED_TRACE("control " + std::to_string(control.id));
            EXPECT_TRUE(seen.insert(control.id).second) << "id used twice";
            const auto expected = dialog.controls.find(control.id);
            ASSERT_NE(expected, dialog.controls.end()) << "id the form does not address";
            EXPECT_EQ(control.className, expected->second);
            EXPECT_EQ(control.readOnly, dialog.results.count(control.id) == 1);
            EXPECT_EQ(control.isDefault, control.id == dialog.defaultButton);
        }
        EXPECT_EQ(seen.size(), dialog.controls.size());

        for (const char* text : dialog.texts) {
            const bool found =
                std::find(file.texts.begin(), file.texts.end(), text) != file.texts.end();
            EXPECT_TRUE(found) << "missing text \"" << text << "\"";
        }
    }
}

TEST(DialogFiles, GroupTheCompoundingChoicesWithTheirCount)
{
    const DialogResource file = Load("effective");
    const DialogControl* daily = Control(file, 11);
    ASSERT_NE(daily, nullptr);
    EXPECT_EQ(daily->group, "Interest Compounded");
    for (int id : {12, 13, 14, 15, 16}) {
        SCOPED_TRACE(id);
        const DialogControl* control = Control(file, id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parent, daily->parent);
        EXPECT_EQ(control->group, daily->group);
    }
    // The count is typed only once Other is chosen; nothing is chosen on opening.
    EXPECT_FALSE(Control(file, 16)->enabled);
    for (int id : {11, 12, 13, 14, 15}) {
        EXPECT_TRUE(IsRadioButton(*Control(file, id))) << id;
        EXPECT_FALSE(Control(file, id)->checked) << id;
    }
}

TEST(DialogFiles, PutTheTradeAmountsInTheirGroups)
{
    const DialogResource file = Load("trade");
    const auto groupOf = [&](int id) {
        const DialogControl* control = Control(file, id);
        return control ? control->group : std::string("(no control)");
    };
    for (int id : {101, 102, 103, 201, 202, 203})
        EXPECT_EQ(groupOf(id), "Outgoing") << id;
    for (int id : {301, 302, 303, 401, 402, 403})
        EXPECT_EQ(groupOf(id), "Incoming") << id;
}

} // namespace
} // namespace tw
