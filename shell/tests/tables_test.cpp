#include "shell/menutables.h"
#include "shell/startup.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tw {
namespace {

TEST(ParseSwitches, FindsLighterAnywhereButOnlyInCapitals)
{
    const struct
    {
        const char* line;
        bool lighter;
    } cases[] = {
        {"", false},
        {"LIGHTER", true},
        {"-LIGHTER", true},
        {"/LIGHTER", true},
        {"script x.twt XLIGHTERX", true},
        {"lighter", false},
        {"Lighter", false},
        {"LIGHTE R", false},
        {"DARKER SUMMARY IDON", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ParseSwitches(c.line).lighter, c.lighter);
    }
}

TEST(ToolbarTooltip, GivesTheButtonTextAndNothingForOtherCommands)
{
    EXPECT_EQ(ToolbarTooltip(108), "Mortgage Calculator");
    EXPECT_EQ(ToolbarTooltip(884), "Open Window's Calculator");
    EXPECT_EQ(ToolbarTooltip(6), "About the Tarrow Financial Tool Set");
    EXPECT_EQ(ToolbarTooltip(104), "Help");
    EXPECT_EQ(ToolbarTooltip(0), "");   // the separator
    EXPECT_EQ(ToolbarTooltip(105), ""); // in the menu only
    EXPECT_EQ(ToolbarTooltip(5), "");
    EXPECT_EQ(ToolbarTooltip(-1), "");
    EXPECT_EQ(ToolbarTooltip(885), "Loan Solver");
}

TEST(ToolbarButtons, UseImagesTwelveToTwentyFiveOnceEachWithOneSeparator)
{
    std::set<int> images;
    int separators = 0;
    for (const ToolbarButton& button : ToolbarButtons()) {
        if (button.command == 0) {
            ++separators;
            continue;
        }
        EXPECT_GE(button.image, 12);
        EXPECT_LE(button.image, 25);
        EXPECT_TRUE(images.insert(button.image).second) << "image " << button.image;
    }
    EXPECT_EQ(images.size(), 14u);
    EXPECT_EQ(separators, 1);
    ASSERT_EQ(ToolbarButtons().size(), 15u);
    EXPECT_EQ(ToolbarButtons()[13].command, 0);
    EXPECT_EQ(ToolbarButtons()[14].command, 104);
}

TEST(MenuItems, KeepTheirTextsWithTabAndUnderlineMarks)
{
    const auto items = MenuItems();
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items[0].menu, "File");
    EXPECT_EQ(items[0].text, "E&xit\tAlt+x");
    EXPECT_EQ(items[1].command, 0);
    EXPECT_EQ(items[2].text, "A&bout..\tAlt+b");
    EXPECT_EQ(items[7].text, "Loan &Solver\tCtrl+j");
    EXPECT_EQ(items[15].text, "&Window's Calculator\tCtrl+w");
    EXPECT_EQ(items[16].text, "Visit Tarrow Software's website");
    EXPECT_EQ(items[19].menu, "Help");
    EXPECT_EQ(items[19].text, "Help On Help\tF4");
}

TEST(Accelerators, HaveNoEntryForTheHelpKeys)
{
    std::set<int> commands;
    for (const Accelerator& accelerator : Accelerators())
        commands.insert(accelerator.command);
    EXPECT_EQ(Accelerators().size(), 20u);
    EXPECT_EQ(commands.count(104), 0u);
    EXPECT_EQ(commands.count(105), 0u);
    EXPECT_EQ(commands.count(403), 1u);
}

} // namespace
} // namespace tw
