#include "shell/aboutform.h"
#include "shell/commands.h"
#include "shell/dispatcher.h"
#include "shell/shell.h"

#include "platform/form.h"
#include "tests/support/textwindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tw {
namespace {

// Records what the dispatcher asks of the window system. runModal runs the test's "user" for
// the form (who may send more commands, as a click on the main window would), then presses
// the form's OK button.
struct Recorder final : Platform, MainWindowPort
{
    struct FakeWindow final : TextWindow
    {
        FakeWindow(Recorder& owner, std::string name) : owner(owner), name(std::move(name)) {}
        void end(int result) override
        {
            ended = true;
            this->result = result;
        }
        void bringToFront() override { owner.log.push_back("front " + name); }

        Recorder& owner;
        std::string name;
        bool ended = false;
        int result = 0;
    };

    MessageAnswer message(Window*, std::string_view text, std::string_view title, MessageIcon,
                          MessageButtons buttons, bool) override
    {
        log.push_back("message " + std::string(title) + ": " + std::string(text));
        if (buttons == MessageButtons::YesNo)
            return answerYes ? MessageAnswer::Yes : MessageAnswer::No;
        return MessageAnswer::Ok;
    }

    int runModal(Form& form, Window*) override
    {
        const std::string name(form.resource());
        FakeWindow window(*this, name);
        log.push_back("open " + name);
        form.opened(window);
        if (auto user = users.find(name); user != users.end() && user->second) {
            auto act = std::move(user->second); // each user acts once
            act(window);
        }
        if (!window.ended)
            form.command(OkButton(name));
        log.push_back("closed " + name);
        return window.result;
    }

    void post(const Window&, std::function<void()> notice) override { notice(); }
    bool startProgram(std::string_view line) override
    {
        log.push_back("start " + std::string(line));
        return programsFound;
    }
    bool openAddress(std::string_view address) override
    {
        log.push_back("url " + std::string(address));
        return addressesOpen;
    }
    void help(HelpRequest request, int context, Window*) override
    {
        log.push_back("help " + std::to_string(static_cast<int>(request)) + " " +
                      std::to_string(context));
    }
    void repaintMainFrame() override {}

    Rect outerRect() const override { return {100, 100, 350, 90}; }
    void destroy() override { log.push_back("destroy"); }
    void focus() override {}
    void repaintFrame() override {}

    std::vector<std::string> log;
    std::map<std::string, std::function<void(FakeWindow&)>> users;
    bool answerYes = false;
    bool programsFound = true;
    bool addressesOpen = true;

    static int OkButton(const std::string& resource)
    {
        const ToolDescription* tool = FindToolByResource(resource);
        return tool != nullptr ? tool->ok : AboutForm::kOk;
    }
};

class DispatcherTest : public ::testing::Test
{
  protected:
    DispatcherTest() : shell(recorder, recorder, StartupOptions{}) {}

    void Command(int id) { shell.command(id); }
    int Slot() { return shell.records().currentSlot; }
    int Count(const std::string& entry) const
    {
        int n = 0;
        for (const auto& line : recorder.log)
            n += line == entry;
        return n;
    }

    Recorder recorder;
    Shell shell;
};

TEST_F(DispatcherTest, GuardBringsTheOpenToolForwardInsteadOfOpeningAnother)
{
    recorder.users["mortgage"] = [&](Recorder::FakeWindow&) { Command(commands::kInflation); };
    Command(commands::kMortgage);
    EXPECT_EQ(Count("open inflate"), 0);
    EXPECT_EQ(Count("front mortgage"), 1);
    EXPECT_FALSE(shell.marks()[ToolMark::Mortgage].open);
}

TEST_F(DispatcherTest, EveryGuardedCommandStopsWhileAToolIsOpen)
{
    const int guarded[] = {commands::kMortgage, commands::kRefinance,     commands::kAccelerated,
                           commands::kLoan,     commands::kInflation,     commands::kTaxes,
                           commands::kTradeOff, commands::kEffectiveRate, commands::kCreditCard,
                           commands::kRule72T,  commands::kOptions};
    recorder.users["mortgagec"] = [&](Recorder::FakeWindow&) {
        for (int command : guarded)
            Command(command);
    };
    Command(commands::kLoan);
    EXPECT_EQ(Count("front mortgagec"), static_cast<int>(std::size(guarded)));
    EXPECT_EQ(Count("start twrule11.exe"), 0);
    EXPECT_EQ(recorder.log.front(), "open mortgagec");
    EXPECT_EQ(recorder.log.back(), "closed mortgagec");
}

TEST_F(DispatcherTest, MortgageCommandSetsItsSlotEvenWhenTheGuardStopsIt)
{
    int slotSeenByRefinance = -1;
    recorder.users["refinance"] = [&](Recorder::FakeWindow&) {
        EXPECT_EQ(Slot(), 1);
        Command(commands::kMortgage);
        slotSeenByRefinance = Slot();
    };
    Command(commands::kRefinance);
    EXPECT_EQ(slotSeenByRefinance, 0);
    EXPECT_EQ(Count("open mortgage"), 0);
    EXPECT_EQ(shell.records().print.title, "Refinance Analysis Report");
}

TEST_F(DispatcherTest, CreditCardCommandStoppedByTheGuardLeavesSlotEight)
{
    recorder.users["refinance"] = [&](Recorder::FakeWindow&) { Command(commands::kCreditCard); };
    Command(commands::kRefinance);
    EXPECT_EQ(Slot(), 8);
    EXPECT_EQ(Count("open ccard"), 0);
}

TEST_F(DispatcherTest, CreditCardPutsThePreviousSlotBackWhenItCloses)
{
    Command(commands::kTaxes);
    ASSERT_EQ(Slot(), 5);
    int slotInside = -1;
    recorder.users["ccard"] = [&](Recorder::FakeWindow&) {
        slotInside = Slot();
        Command(commands::kMortgage); // stopped by the guard, but sets slot 0
    };
    Command(commands::kCreditCard);
    EXPECT_EQ(slotInside, 8);
    EXPECT_EQ(Slot(), 5);
}

TEST_F(DispatcherTest, OpenCommandsSelectTheirSlots)
{
    const struct
    {
        int command;
        int slot;
    } cases[] = {{commands::kMortgage, 0},  {commands::kAccelerated, 2},
                 {commands::kInflation, 4}, {commands::kTaxes, 5},
                 {commands::kTradeOff, 6},  {commands::kEffectiveRate, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        shell.records().currentSlot = 9;
        Command(c.command);
        EXPECT_EQ(Slot(), c.slot);
    }
    shell.records().currentSlot = 3;
    Command(commands::kLoan);
    EXPECT_EQ(Slot(), 3);
}

TEST_F(DispatcherTest, AboutBoxIsOpenedAgainOverItselfButGuardsTools)
{
    recorder.users["about"] = [&](Recorder::FakeWindow&) {
        Command(commands::kMortgage);
        Command(commands::kAbout);
    };
    Command(commands::kAbout);
    EXPECT_EQ(Count("open about"), 2);
    EXPECT_EQ(Count("open mortgage"), 0);
    EXPECT_EQ(Count("front about"), 1);
}

TEST_F(DispatcherTest, AboutBoxClickedOnNoLongerBlocksTools)
{
    recorder.users["about"] = [&](Recorder::FakeWindow&) {
        shell.marks().clear(ToolMark::About); // what a click on its surface does
        Command(commands::kLoan);
    };
    Command(commands::kAbout);
    EXPECT_EQ(Count("open mortgagec"), 1);
}

TEST_F(DispatcherTest, PrintJobCountsAsOpenToolWithNothingBroughtForward)
{
    shell.marks().set(ToolMark::PrintJob, nullptr);
    Command(commands::kMortgage);
    Command(commands::kOptions);
    EXPECT_EQ(Count("open mortgage"), 0);
    shell.marks().clear(ToolMark::PrintJob);
    Command(commands::kOptions);
    Command(commands::kMortgage);
    EXPECT_EQ(Count("open mortgage"), 1);
}

TEST_F(DispatcherTest, GuardVisitsMarksInTableOrder)
{
    Recorder::FakeWindow effective(recorder, "effective"), loan(recorder, "loan"),
        about(recorder, "about");
    auto& marks = shell.marks();
    marks.set(ToolMark::About, &about);
    marks.set(ToolMark::Loan, &loan);
    marks.set(ToolMark::Effective, &effective);
    EXPECT_TRUE(marks.raiseOpenTools());
    const std::vector<std::string> expected = {"front effective", "front loan", "front about"};
    EXPECT_EQ(recorder.log, expected);
}

TEST_F(DispatcherTest, UnguardedCommandsRunWhileAToolIsOpen)
{
    recorder.users["inflate"] = [&](Recorder::FakeWindow&) {
        Command(commands::kHelpContents);
        Command(commands::kCalculator);
        Command(commands::kEmail);
    };
    Command(commands::kInflation);
    EXPECT_EQ(Count("help 0 0"), 1);
    EXPECT_EQ(Count("start calc.exe"), 1);
    EXPECT_EQ(Count("url mailto:support@tarrow.example"), 1);
}

TEST_F(DispatcherTest, InflationCalculatorSwitchesHelpOnHelpOff)
{
    Command(commands::kHelpOnHelp);
    EXPECT_EQ(Count("help 2 0"), 1);
    Command(commands::kInflation);
    Command(commands::kHelpOnHelp);
    EXPECT_EQ(Count("help 2 0"), 1);
    Command(commands::kHelpContents);
    EXPECT_EQ(Count("help 0 0"), 1);
}

TEST_F(DispatcherTest, OutsideProgramsAndAddressesReportTheirFailures)
{
    recorder.programsFound = false;
    recorder.addressesOpen = false;
    Command(commands::kRule72T);
    Command(commands::kCalculator);
    Command(commands::kWebsite); // answered No
    recorder.answerYes = true;
    Command(commands::kWebsite);
    Command(commands::kEmail);
    const std::vector<std::string> expected = {
        "start twrule11.exe",
        "start calc.exe",
        "message Execution Error: The Window's Calculator could not be found in the path.",
        "message Tarrow Software: Do you wish to visit the Tarrow Software website now?",
        "message Tarrow Software: Do you wish to visit the Tarrow Software website now?",
        "url https://www.tarrow.example/",
        "message Browser Error: There is a problem opening up the default browser.",
        "url mailto:support@tarrow.example",
        "message Email Error: There is a problem opening up you Email program.",
    };
    EXPECT_EQ(recorder.log, expected);
}

TEST_F(DispatcherTest, ExitDestroysAndUnknownCommandsDoNothing)
{
    for (int command : {0, 1, 7, 178, 890, 112, 406, 999, 65535})
        Command(command);
    EXPECT_TRUE(recorder.log.empty());
    Command(commands::kExit);
    EXPECT_EQ(recorder.log, std::vector<std::string>{"destroy"});
}

TEST_F(DispatcherTest, CommandNumbersAreTakenFromTheLowSixteenBits)
{
    Command(0x10000 | commands::kHelpContents);
    EXPECT_EQ(Count("help 0 0"), 1);
}

} // namespace
} // namespace tw
