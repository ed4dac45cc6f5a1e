// What every tool form does with its window, its open mark and the main window: the guard
// finds an open form by its mark, OK gives the mark back and closes, and a tool window that
// moves or closes has the main window repaint its frame.
#include "tests/support/recordingplatform.h"
#include "tests/support/tempdirectory.h"
#include "tests/support/textwindow.h"
#include "tools/calculators/inflationform.h"
#include "tools/calculators/tradeform.h"
#include "tools/mortgage/loanform.h"
#include "tools/mortgage/scheduleform.h"
#include "tools/tests/filesizelimit.h"
#include "tools/toolcatalog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace tw {
namespace {

namespace fs = std::filesystem;

using Log = std::vector<std::string>;

// A dialog that holds texts and logs how it is ended.
class RecordingWindow : public TextWindow
{
  public:
    explicit RecordingWindow(Log& log) : log_(log) {}

    void end(int result) override { log_.push_back("end " + std::to_string(result)); }

  private:
    Log& log_;
};

// Forms write their files (psched.tmp, tradeinf.dat) into the working directory.
class ToolForms : public ::testing::Test
{
  protected:
    int openMarks() const
    {
        int count = 0;
        for (const OpenMark& entry : marks.entries)
            count += entry.open ? 1 : 0;
        return count;
    }

    Log log;
    RecordingPlatform platform{log};
    AppRecords records;
    OpenMarks marks;
    ToolContext context{platform, records, marks};
    RecordingWindow window{log};
    TempDirectory directory_;
    WorkingDirectory inside_{directory_.path()};
};

TEST_F(ToolForms, OpeningSetsTheMarkOnTheWindowAndOkGivesItBackThenClosesAndRepaints)
{
    for (const ToolDescription* entry : ToolCatalog()) {
        const ToolDescription& tool = *entry;
        SCOPED_TRACE(tool.resource);
        records = AppRecords{};
        marks = OpenMarks{};
        log.clear();
        const auto form = tool.make(context);
        form->opened(window);
        EXPECT_TRUE(marks[tool.mark].open);
        EXPECT_EQ(marks[tool.mark].window, &window);
        EXPECT_EQ(openMarks(), 1);

        form->command(tool.ok);
        EXPECT_FALSE(marks[tool.mark].open);
        EXPECT_EQ(marks[tool.mark].window, nullptr);
        EXPECT_EQ(openMarks(), 0);
        EXPECT_EQ(log, (Log{"end 1", "repaint"}));
    }
}

TEST_F(ToolForms, MovingAToolWindowRepaintsTheMainFrame)
{
    for (const ToolDescription* entry : ToolCatalog()) {
        const ToolDescription& tool = *entry;
        SCOPED_TRACE(tool.resource);
        log.clear();
        const auto form = tool.make(context);
        form->opened(window);
        form->moved();
        EXPECT_EQ(log, (Log{"repaint"}));
    }
}

TEST_F(ToolForms, HelpShowsTheToolsTopicOverItsWindow)
{
    for (const ToolDescription* entry : ToolCatalog()) {
        const ToolDescription& tool = *entry;
        if (!tool.help)
            continue;
        SCOPED_TRACE(tool.resource);
        log.clear();
        platform.helpOwner = nullptr;
        const auto form = tool.make(context);
        form->opened(window);
        form->command(*tool.help);
        EXPECT_EQ(log, (Log{"help " + std::to_string(tool.helpContext)}));
        EXPECT_EQ(platform.helpOwner, &window);
        EXPECT_TRUE(marks[tool.mark].open); // Help leaves the form open
    }
}

TEST_F(ToolForms, FieldChecksShowSystemModalBoxesOwnedByTheDialog)
{
    // Inflation refuses a start age of 0 with a warning; the loan calculator refuses a term
    // of 0 years with an error.
    InflationForm inflation(context);
    inflation.opened(window);
    window.texts[InflationForm::kStartAge] = "0";
    inflation.command(InflationForm::kCalculate);

    RecordingWindow loanWindow(log);
    LoanForm loan(context);
    loan.opened(loanWindow);
    loanWindow.texts = {{104, "1000"}, {105, "0"}, {106, "8"}, {107, "0"}};
    loan.command(112);

    ASSERT_EQ(platform.boxes.size(), 2U);
    EXPECT_EQ(platform.boxes[0].owner, &window);
    EXPECT_EQ(platform.boxes[0].title, "Start Age Error!");
    EXPECT_EQ(platform.boxes[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(platform.boxes[0].systemModal);
    EXPECT_EQ(platform.boxes[1].owner, &loanWindow);
    EXPECT_EQ(platform.boxes[1].title, "NO OF YEARS ERROR");
    EXPECT_EQ(platform.boxes[1].icon, MessageIcon::Error);
    EXPECT_TRUE(platform.boxes[1].systemModal);
}

TEST_F(ToolForms, TradeOffOkClosesEvenWhenItsInputsCannotBeSaved)
{
    fs::create_directory("tradeinf.dat"); // a directory holds the name
    TradeForm trade(context);
    trade.opened(window);
    log.clear();
    trade.command(TradeForm::kOk);
    EXPECT_EQ(log, (Log{"message FILE ERROR", "end 1", "repaint"}));
    ASSERT_EQ(platform.boxes.size(), 1U);
    EXPECT_EQ(platform.boxes[0].text, "Cannot open tradeinf.dat for writing!");
    EXPECT_EQ(platform.boxes[0].owner, &window);
    EXPECT_FALSE(marks[ToolMark::Trade].open);
    EXPECT_TRUE(fs::is_directory("tradeinf.dat"));
}

TEST_F(ToolForms, ScheduleHoldsNoMarkAndRepaintsTheMainFrameWhenItCloses)
{
    ScheduleForm byOk(context);
    byOk.opened(window);
    EXPECT_EQ(openMarks(), 0);
    EXPECT_TRUE(records.mortgageSchedule.known);
    byOk.moved();
    byOk.command(ScheduleForm::kOk);
    EXPECT_EQ(log, (Log{"repaint", "end 1", "repaint"}));
    EXPECT_TRUE(records.mortgageSchedule.known); // OK keeps the column widths

    log.clear();
    ScheduleForm byCloseBox(context);
    byCloseBox.opened(window);
    byCloseBox.closeRequested();
    EXPECT_EQ(log, (Log{"end 2", "repaint"}));
    EXPECT_FALSE(records.mortgageSchedule.known); // the next opening sizes them afresh
    EXPECT_EQ(openMarks(), 0);
}

TEST_F(ToolForms, ScheduleThatCannotWriteItsFileLeavesNoTableToPrint)
{
    // A file size limit makes the write fail part-way, as a full disk would; the table of an
    // earlier schedule must not stay behind for printing.
    std::ofstream(ScheduleForm::kFileName) << "the rows of an earlier mortgage\n";
    {
        const FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        ScheduleForm schedule(context);
        schedule.opened(window);
    }

    EXPECT_EQ(log, (Log{"message FILE WRITE ERROR"}));
    ASSERT_EQ(platform.boxes.size(), 1U);
    EXPECT_EQ(platform.boxes[0].text, "Cannot write temporary print file - psched.tmp");
    EXPECT_FALSE(fs::exists(ScheduleForm::kFileName));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 0);
}

} // namespace
} // namespace tw
