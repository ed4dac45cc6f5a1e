#include "platform/script/scriptwindow.h"
#include "platform/script/tests/testdialogs.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using namespace uitext;

class NamedForm : public Form
{
  public:
    std::string_view resource() const override { return "sample"; }
    void opened(Window&) override {}
};

class ScriptWindowTest : public ::testing::Test
{
  protected:
    static DialogResource Sample()
    {
        return *ParseDialogResource(Dialog(
            "sample",
            Item(Control("QLineEdit", 101, "")) +
                Item(Group("g1", Item(Control("QRadioButton", 301, "", Flag("checked", true))) +
                                     Item(Control("QRadioButton", 302)))) +
                Item(Group("g2", Item(Control("QRadioButton", 303, "", Flag("checked", true))) +
                                     Item(Control("QCheckBox", 304, "", Flag("checked", true))))) +
                Item(Choices(105, {"1 (yearly)", "12 (monthly)", "12", "continuous"}, true)),
            250, 120));
    }

    NamedForm form_;
    int ended_ = 0;
    int raised_ = 0;
    ScriptWindow window_{
        Sample(),
        form_,
        nullptr,
        {[this](ScriptWindow&) { ++ended_; }, [this](ScriptWindow&) { ++raised_; }}};
};

TEST_F(ScriptWindowTest, TextHoldsAtMostMaxCharsMinusOneCharactersNotBytes)
{
    const std::pair<int, std::string_view> cases[] = {
        {0, ""},       {1, ""},        {2, "G"},        {4, "Grü"},        {6, "Grüße"},
        {7, "Grüße€"}, {8, "Grüße€😀"}, {9, "Grüße€😀x"}, {100, "Grüße€😀x"},
    };
    window_.setText(101, "Grüße€😀x");
    for (const auto& [maxChars, expected] : cases) {
        SCOPED_TRACE("maxChars " + std::to_string(maxChars));
        EXPECT_EQ(window_.text(101, maxChars), expected);
    }
}

// A choice list reads as its chosen item; a text chooses the item it is, or the first that
// begins with it and a blank; any other text leaves the choice alone.
TEST_F(ScriptWindowTest, ChoiceListTextChoosesTheItemItIsOrBeginsWithFollowedByABlank)
{
    ASSERT_NE(window_.control(105), nullptr);
    EXPECT_EQ(window_.control(105)->items.size(), 4U);
    EXPECT_EQ(window_.text(105, 50), "12 (monthly)");
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"1", "1 (yearly)"},        {"continuous", "continuous"}, {"12", "12 (monthly)"},
        {"cont", "12 (monthly)"},   {"", "12 (monthly)"},         {"1 (yearly)", "1 (yearly)"},
        {"(yearly)", "1 (yearly)"}, {"2", "1 (yearly)"},
    };
    for (const auto& [typed, chosen] : cases) {
        SCOPED_TRACE(std::string(typed));
        window_.setText(105, typed);
        EXPECT_EQ(window_.text(105, 50), chosen);
    }
}

TEST_F(ScriptWindowTest, MissingControlReadsEmptyAndIgnoresWhatIsDoneToIt)
{
    window_.setText(999, "lost");
    window_.setEnabled(999, false);
    window_.setChecked(999, true);
    window_.focusAndSelect(999);
    EXPECT_EQ(window_.text(999, 50), "");
    EXPECT_FALSE(window_.isChecked(999));
    EXPECT_EQ(window_.control(999), nullptr);
    EXPECT_EQ(window_.focusedControl(), 0);
    EXPECT_EQ(window_.text(101, 50), "");
}

TEST_F(ScriptWindowTest, CheckingARadioButtonClearsOnlyTheButtonsOfItsGroup)
{
    window_.setChecked(302, true);
    EXPECT_FALSE(window_.isChecked(301));
    EXPECT_TRUE(window_.isChecked(302));
    EXPECT_TRUE(window_.isChecked(303)); // other group
    EXPECT_TRUE(window_.isChecked(304)); // a check box in the other group
    window_.setChecked(302, false);
    EXPECT_FALSE(window_.isChecked(301));
    EXPECT_FALSE(window_.isChecked(302));
}

TEST_F(ScriptWindowTest, ListStartsHiddenAndCreatingItAgainReplacesItsRows)
{
    window_.createList(500, {0, 0, 100, 50}, {{"Year", 40}, {"Balance", 60}});
    window_.addListRow(500, {"1", "100.00"});
    window_.addListRow(777, {"lost"});
    ASSERT_EQ(window_.lists().size(), 1u);
    EXPECT_FALSE(window_.lists()[0].shown);
    window_.showControl(500, true);
    EXPECT_TRUE(window_.lists()[0].shown);
    EXPECT_EQ(window_.lists()[0].rows, (std::vector<std::vector<std::string>>{{"1", "100.00"}}));

    window_.createList(500, {0, 0, 10, 10}, {{"Year", 40}});
    ASSERT_EQ(window_.lists().size(), 1u);
    EXPECT_FALSE(window_.lists()[0].shown);
    EXPECT_TRUE(window_.lists()[0].rows.empty());
}

TEST_F(ScriptWindowTest, SpinIsClampedToItsRangeWhicheverArrowRaisesTheNumber)
{
    window_.attachSpin(101, 0, 100, 5); // upper arrow lowers the number
    window_.attachSpin(102, 10, 1, 5);  // upper arrow raises it; no such field
    const std::tuple<int, int, int> cases[] = {{101, 7, 7}, {101, 150, 100}, {101, -3, 0},
                                               {102, 0, 1}, {102, 11, 10},   {102, 4, 4}};
    for (const auto& [buddy, asked, expected] : cases) {
        SCOPED_TRACE(std::to_string(buddy) + " moved to " + std::to_string(asked));
        EXPECT_EQ(window_.moveSpin(buddy, asked), expected);
        EXPECT_EQ(window_.spin(buddy)->position, expected);
    }
    EXPECT_EQ(window_.text(101, 10), "0");
    EXPECT_EQ(window_.moveSpin(301, 1), std::nullopt);
}

TEST_F(ScriptWindowTest, EndsOnceWithTheFirstResultAndIsNotRaisedAfterwards)
{
    EXPECT_EQ(window_.clientSize(), (Size{250, 120}));
    window_.bringToFront();
    window_.end(4);
    window_.end(9);
    window_.bringToFront();
    EXPECT_TRUE(window_.hasEnded());
    EXPECT_EQ(window_.result(), 4);
    EXPECT_EQ(ended_, 1);
    EXPECT_EQ(raised_, 1);
    EXPECT_EQ(window_.name(), "sample");
}

} // namespace
} // namespace tw
