// The print job over a fake desktop: what the dialogs are offered, which pages reach the
// device in which order, the messages of every failure, the settings held only when a dialog
// is accepted, and the print-job mark set while a dialog or job runs and clear afterwards.
#include "print/printjob.h"

#include "print/pagefiles.h"
#include "print/tests/printouts.h"
#include "tests/support/recordingplatform.h"
#include "tests/support/tempdirectory.h"
#include "tests/support/textwindow.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw {
namespace {

namespace fs = std::filesystem;

// Texts drawn on one page.
class RecordingPainter : public PagePainter
{
  public:
    std::vector<std::string> texts;
    int frames = 0;

    Size pageSize() const override { return {4800, 6400}; }
    void setFont(const PageFont& font) override { height_ = font.height; }
    int lineHeight() const override { return height_; }
    int drawText(Rect, std::string_view text, TextAlign, bool) override
    {
        texts.emplace_back(text);
        return height_;
    }
    void drawFrame(Rect) override { ++frames; }

  private:
    int height_ = 10;
};

// What the devices were given, kept beyond the devices themselves.
struct PrintRecord
{
    std::vector<int> pages; // every page of every device, in order
    std::vector<std::unique_ptr<RecordingPainter>> drawn;
    std::vector<bool> markDuringPage;
};

// How a device fails: not at all, at the start, or at the end (the platform's reason).
struct DeviceFault
{
    bool startable = true;
    bool endsWhole = true;
    std::string why; // empty: the platform says nothing
};

// Logs the document calls and records the pages.
class RecordingDevice : public PrintDevice
{
  public:
    RecordingDevice(std::vector<std::string>& log, const OpenMarks& marks, PrintRecord& record,
                    DeviceFault fault)
        : log_(log), marks_(marks), record_(record), startable_(fault.startable), fault_(fault)
    {
    }
    std::optional<std::string> failure() const override
    {
        const bool failed = !fault_.startable || (ended_ && !fault_.endsWhole);
        return failed ? std::optional<std::string>(fault_.why) : std::nullopt;
    }

    bool beginDocument(std::string_view name) override
    {
        log_.push_back("begin " + std::string(name));
        return startable_;
    }
    PagePainter* beginPage(int number) override
    {
        record_.pages.push_back(number);
        record_.markDuringPage.push_back(marks_[ToolMark::PrintJob].open);
        record_.drawn.push_back(std::make_unique<RecordingPainter>());
        return record_.drawn.back().get();
    }
    void endPage() override {}
    void endDocument() override
    {
        log_.push_back("end");
        ended_ = true;
    }
    void abortDocument() override { log_.push_back("abort"); }

  private:
    std::vector<std::string>& log_;
    const OpenMarks& marks_;
    PrintRecord& record_;
    bool startable_;
    DeviceFault fault_;
    bool ended_ = false;
};

// The desktop's printers, answering each dialog as the test says.
class FakePrinters : public Printers
{
  public:
    FakePrinters(std::vector<std::string>& log, const OpenMarks& marks) : log_(log), marks_(marks)
    {
    }

    // How the print dialog is answered: nothing cancels it; otherwise what is changed of
    // the offer.
    std::optional<std::function<void(PrintChoice&)>> printAnswer;
    std::vector<PrintChoice> offered;
    std::vector<Window*> printOwners;
    std::vector<bool> markDuringDialog;

    PageSetupAnswer setupAnswer = PageSetupAnswer::Cancelled;
    std::function<void(PageSetupChoice&)> setupChoice;
    std::vector<PageSetupChoice> setupOffered;

    std::vector<std::string> pdfPaths;
    bool pdfStartable = true; // false: the PDF file cannot be made
    DeviceFault fault;        // of every other device
    std::vector<Orientation> deviceOrientations;
    int previewDraws = 1; // how often the preview has its pages drawn

    PrintRecord record;

    std::unique_ptr<PrintDevice> choosePrinter(Window* owner, PrintChoice& choice) override
    {
        log_.push_back("print dialog");
        offered.push_back(choice);
        printOwners.push_back(owner);
        markDuringDialog.push_back(marks_[ToolMark::PrintJob].open);
        if (!printAnswer)
            return nullptr;
        (*printAnswer)(choice);
        return std::make_unique<RecordingDevice>(log_, marks_, record, fault);
    }
    PageSetupAnswer pageSetup(Window*, PageSetupChoice& choice) override
    {
        log_.push_back("page setup");
        setupOffered.push_back(choice);
        markDuringDialog.push_back(marks_[ToolMark::PrintJob].open);
        if (setupChoice)
            setupChoice(choice);
        return setupAnswer;
    }
    std::unique_ptr<PrintDevice> pdfFile(std::string_view path, Orientation orientation) override
    {
        pdfPaths.emplace_back(path);
        deviceOrientations.push_back(orientation);
        DeviceFault pdf = fault;
        pdf.startable = pdfStartable && fault.startable;
        return std::make_unique<RecordingDevice>(log_, marks_, record, pdf);
    }
    void preview(Window*, Orientation orientation,
                 const std::function<void(PrintDevice&)>& print) override
    {
        deviceOrientations.push_back(orientation);
        RecordingDevice own(log_, marks_, record, DeviceFault{});
        for (int i = 0; i < previewDraws; ++i)
            print(own);
    }

  private:
    std::vector<std::string>& log_;
    const OpenMarks& marks_;
};

// Pages of the printouts are made in a directory of the test's own, the working directory
// the print job writes its page files to.
class PrintJob : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(directory.valid());
        previous = fs::current_path();
        fs::current_path(directory.path());
        platform.marks = &marks;
        platform.printerList = &printers;
        records.print.title = "Mortgage Payoff Schedule";
        records.print.titleMode = true;
    }
    void TearDown() override { fs::current_path(previous); }

    // psched.tmp of `rows` rows: 56 rows a page file.
    void writeSchedule(int rows) const
    {
        directory.write("psched.tmp", testing::ScheduleInput(rows));
    }
    bool markSet() const { return marks[ToolMark::PrintJob].open; }
    static std::function<void(PrintChoice&)> Answer(int from, int to, int copies, bool collate)
    {
        return [=](PrintChoice& choice) {
            choice.fromPage = from;
            choice.toPage = to;
            choice.copies = copies;
            choice.collate = collate;
        };
    }

    TempDirectory directory;
    fs::path previous;
    std::vector<std::string> log;
    AppRecords records;
    OpenMarks marks;
    FakePrinters printers{log, marks};
    RecordingPlatform platform;
    ToolContext context{platform, records, marks};
    TextWindow schedule;
};

TEST_F(PrintJob, PrintsThePagesOfTheRangeInCopyAndCollateOrder)
{
    struct Case
    {
        int from, to, copies;
        bool collate;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {2, 3, 2, true, {2, 2, 3, 3}},  {2, 3, 2, false, {2, 3, 2, 3}}, {0, 0, 1, false, {0}},
        {0, 3, 1, false, {0, 1, 2, 3}}, {1, 1, 3, true, {1, 1, 1}},
    };
    writeSchedule(3 * 56); // three full page files
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << "-" << c.to << " x" << c.copies
                                          << (c.collate ? " collated" : ""));
        printers.record = PrintRecord{};
        log.clear();
        printers.printAnswer = Answer(c.from, c.to, c.copies, c.collate);
        EXPECT_EQ(PrintPrintout(context, &schedule, PrintoutKind::Schedule), 3);
        EXPECT_EQ(printers.record.pages, c.pages);
        EXPECT_EQ(log,
                  (std::vector<std::string>{"print dialog", "begin Printing Schedule", "end"}));
        EXPECT_TRUE(platform.boxes.empty());
        EXPECT_FALSE(markSet());
    }
}

TEST_F(PrintJob, DrawsTheTitlePageAndEachPageFileWithItsNumberAndTheHeading)
{
    writeSchedule(57);
    printers.printAnswer = Answer(0, 2, 1, false);
    ASSERT_EQ(PrintPrintout(context, &schedule, PrintoutKind::Schedule), 2);
    ASSERT_EQ(printers.record.drawn.size(), 3u);

    const std::vector<std::string>& title = printers.record.drawn[0]->texts;
    ASSERT_EQ(title.size(), 3u); // title, date, time
    EXPECT_EQ(title[0], "Mortgage Payoff Schedule");
    const std::vector<std::string>& second = printers.record.drawn[2]->texts;
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second[0], "Page 2 of 2");
    EXPECT_EQ(second[1], " Mortgage Payoff Schedule");
    // The last page holds the 57th row, age 35 + 56.
    EXPECT_NE(std::find(second.begin(), second.end(), "91.00"), second.end());
    EXPECT_EQ(printers.record.drawn[2]->frames, 1);
}

TEST_F(PrintJob, HeadingsCarryThePrintoutsOwnTitleWhateverTheTitleMode)
{
    struct Case
    {
        PrintoutKind kind;
        bool titleMode;
        const char* printTitle; // as the last command that set it left it
        const char* heading;
    };
    // Opened from the mortgage calculator the refinance report finds the schedule's title;
    // from the menu before the mortgage calculator, the title mode off.
    const Case cases[] = {
        {PrintoutKind::Refinance, true, "Mortgage Payoff Schedule", "Refinance Analysis Report"},
        {PrintoutKind::Refinance, false, "Refinance Analysis Report", "Refinance Analysis Report"},
        {PrintoutKind::Schedule, false, "", "Mortgage Payoff Schedule"},
    };
    writeSchedule(3);
    directory.write("refprt.tmp", testing::RefinanceInput(3));
    printers.printAnswer = Answer(0, 1, 1, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        printers.record = PrintRecord{};
        records.print.titleMode = c.titleMode;
        records.print.title = c.printTitle;
        PrintPrintout(context, nullptr, c.kind);
        ASSERT_EQ(printers.record.drawn.size(), 2u);
        EXPECT_EQ(printers.record.drawn[0]->texts.at(0), c.heading);
        EXPECT_EQ(printers.record.drawn[1]->texts.at(1), std::string(" ") + c.heading);
    }
}

TEST_F(PrintJob, ADocumentThatCannotStartOrDoesNotComeOutWholeIsSaidInOneBox)
{
    struct Case
    {
        const char* name;
        DeviceFault fault;
        bool savePdf;
        std::string text;
        std::string title;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"print to a folder that is not there",
         {false, true, "/nonexistent/dir/x.pdf: No such file or directory"},
         false,
         "Cannot print the Mortgage Payoff Schedule: /nonexistent/dir/x.pdf: No such file or "
         "directory",
         "Print Error",
         {"print dialog", "begin Printing Schedule"}},
        {"a printer that says nothing",
         {false, true, ""},
         false,
         "Cannot print the Mortgage Payoff Schedule",
         "Print Error",
         {"print dialog", "begin Printing Schedule"}},
        {"print to a full disk",
         {true, false, "p.pdf: the disk is full, the file could not be written whole"},
         false,
         "Cannot print the Mortgage Payoff Schedule: p.pdf: the disk is full, the file could not "
         "be written whole",
         "Print Error",
         {"print dialog", "begin Printing Schedule", "end"}},
        {"save to a full disk",
         {true, false, "a.pdf: the disk is full, the file could not be written whole"},
         true,
         "Cannot write the PDF file a.pdf: the disk is full, the file could not be written "
         "whole",
         "Save as PDF",
         {"begin Printing Schedule", "end"}},
    };
    writeSchedule(3);
    printers.printAnswer = Answer(0, 1, 1, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.boxes.clear();
        log.clear();
        printers.fault = c.fault;
        if (c.savePdf)
            EXPECT_FALSE(SavePrintoutPdf(context, &schedule, PrintoutKind::Schedule, "a.pdf"));
        else
            PrintPrintout(context, &schedule, PrintoutKind::Schedule);
        // One box and no word of success.
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0].text, c.text);
        EXPECT_EQ(platform.boxes[0].title, c.title);
        EXPECT_EQ(platform.boxes[0].icon, MessageIcon::Error);
        EXPECT_EQ(platform.boxes[0].owner, &schedule);
        EXPECT_EQ(log, c.log);
        EXPECT_FALSE(markSet());
    }
    // The graph's job too.
    platform.boxes.clear();
    printers.fault = {false, true, "the printer \"lp\" is not available"};
    PrintGraph(context, nullptr);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text,
              "Cannot print the graph: the printer \"lp\" is not available");
    EXPECT_FALSE(markSet());
}

TEST_F(PrintJob, OffersEveryPageOneCopyAndTheHeldSwitchesToTheOwner)
{
    writeSchedule(60);
    records.printer.collate = true;
    records.printer.orientation = 2;
    PrintPrintout(context, &schedule, PrintoutKind::Schedule);
    ASSERT_EQ(printers.offered.size(), 1u);
    const PrintChoice& offer = printers.offered[0];
    EXPECT_EQ(offer.minPage, 0);
    EXPECT_EQ(offer.maxPage, 2);
    EXPECT_EQ(offer.fromPage, 0);
    EXPECT_EQ(offer.toPage, 2);
    EXPECT_EQ(offer.copies, 1);
    EXPECT_TRUE(offer.collate);
    EXPECT_EQ(offer.orientation, Orientation::Landscape);
    EXPECT_EQ(printers.printOwners[0], &schedule);
}

TEST_F(PrintJob, KeepsCollateAndOrientationOnlyWhenTheDialogIsAccepted)
{
    writeSchedule(5);
    auto flip = [](PrintChoice& choice) {
        choice.collate = true;
        choice.orientation = Orientation::Landscape;
    };

    // Cancelled: what the user had changed in the dialog is forgotten.
    printers.printAnswer.reset();
    EXPECT_EQ(PrintPrintout(context, nullptr, PrintoutKind::Schedule), 1);
    EXPECT_FALSE(records.printer.collate);
    EXPECT_EQ(records.printer.orientation, 1);
    EXPECT_TRUE(printers.record.pages.empty());

    printers.printAnswer = flip;
    PrintPrintout(context, nullptr, PrintoutKind::Schedule);
    EXPECT_TRUE(records.printer.collate);
    EXPECT_EQ(records.printer.orientation, 2);
    // The next dialog offers what was kept.
    PrintPrintout(context, nullptr, PrintoutKind::Schedule);
    ASSERT_EQ(printers.offered.size(), 3u);
    EXPECT_TRUE(printers.offered[2].collate);
    EXPECT_EQ(printers.offered[2].orientation, Orientation::Landscape);
}

TEST_F(PrintJob, MarkIsSetDuringDialogAndPagesAndClearOnEveryPath)
{
    writeSchedule(5);
    printers.printAnswer.reset();
    PrintPrintout(context, nullptr, PrintoutKind::Schedule);
    EXPECT_FALSE(markSet());

    printers.printAnswer = Answer(0, 1, 2, true);
    PrintPrintout(context, nullptr, PrintoutKind::Schedule);
    EXPECT_FALSE(markSet());
    EXPECT_EQ(printers.record.markDuringPage, (std::vector<bool>{true, true, true, true}));

    EXPECT_EQ(printers.markDuringDialog, (std::vector<bool>{true, true}));
}

TEST_F(PrintJob, WithoutPrintersNothingIsPrintedAsIfCancelled)
{
    RecordingPlatform bare;
    ToolContext plain{bare, records, marks};
    writeSchedule(5);
    records.printer.collate = true;
    EXPECT_EQ(PrintPrintout(plain, nullptr, PrintoutKind::Schedule), 1);
    EXPECT_TRUE(bare.boxes.empty());
    EXPECT_FALSE(markSet());
    EXPECT_TRUE(records.printer.collate);
    PrintGraph(plain, nullptr);
    PageSetup(plain, nullptr);
    EXPECT_FALSE(markSet());
    EXPECT_TRUE(records.printer.firstPageSetup);
}

TEST_F(PrintJob, TableFileOrPageFileFailuresShowTheirMessageAndPrintNothing)
{
    struct Case
    {
        const char* name;
        std::function<void(const TempDirectory&)> prepare;
        std::vector<std::string> texts; // messages, all titled FILE OPEN ERROR
        std::string output;             // on the standard output
    };
    const Case cases[] = {
        {"no psched.tmp",
         [](const TempDirectory&) {},
         {"Cannot open temporary print file - psched.tmp"},
         ""},
        {"psched.tmp a directory",
         [](const TempDirectory& d) { fs::create_directory(d.file("psched.tmp")); },
         {"Cannot open temporary print file - psched.tmp"},
         ""},
        {"psched.tmp a pipe nobody writes",
         [](const TempDirectory& d) { ASSERT_EQ(::mkfifo(d.file("psched.tmp").c_str(), 0600), 0); },
         {"Cannot open temporary print file - psched.tmp"},
         ""},
        {"psched.tmp with a line of 5000 characters",
         [](const TempDirectory& d) {
             d.write("psched.tmp", testing::ScheduleInput(3) + std::string(5000, '7') + "\n");
         },
         {"Cannot print psched.tmp: line 5 is longer than 4096 characters."},
         ""},
        {"rpage1 cannot be written",
         [](const TempDirectory& d) {
             d.write("psched.tmp", testing::ScheduleInput(5));
             fs::create_directory(d.file("rpage1"));
         },
         {"Cannot temporary print file - rpage"},
         ""},
        {"rpage2 cannot be written",
         [](const TempDirectory& d) {
             d.write("psched.tmp", testing::ScheduleInput(57));
             fs::create_directory(d.file("rpage2"));
         },
         {},
         "Cannot open file rpage2.\n"},
    };
    printers.printAnswer = Answer(0, 9, 1, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDirectory own;
        fs::current_path(own.path());
        c.prepare(own);
        platform.boxes.clear();
        printers.offered.clear();

        ::testing::internal::CaptureStdout();
        EXPECT_EQ(PrintPrintout(context, &schedule, PrintoutKind::Schedule), 0);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.output);

        std::vector<std::string> texts;
        for (const RecordingPlatform::Box& box : platform.boxes) {
            texts.push_back(box.text);
            EXPECT_EQ(box.title, "FILE OPEN ERROR");
            EXPECT_EQ(box.owner, nullptr);
            EXPECT_EQ(box.icon, MessageIcon::Error);
            EXPECT_TRUE(box.systemModal);
        }
        EXPECT_EQ(texts, c.texts);
        EXPECT_TRUE(printers.offered.empty());
        EXPECT_FALSE(markSet());
        fs::current_path(directory.path());
    }
}

TEST_F(PrintJob, RefinanceReportReadsItsOwnFile)
{
    directory.write("refprt.tmp", testing::RefinanceInput(47));
    printers.printAnswer = Answer(2, 2, 1, false);
    EXPECT_EQ(PrintPrintout(context, nullptr, PrintoutKind::Refinance), 2);
    EXPECT_EQ(printers.record.pages, (std::vector<int>{2}));

    fs::remove(directory.file("refprt.tmp"));
    EXPECT_EQ(PrintPrintout(context, nullptr, PrintoutKind::Refinance), 0);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Cannot open temporary print file - refprt.tmp");
}

TEST_F(PrintJob, APageFileGoneWhenItsTurnComesEndsTheJobWithTwoMessages)
{
    writeSchedule(3 * 56);
    // The page file goes while the dialog is up, after the page files were written.
    printers.printAnswer = [&](PrintChoice& choice) {
        choice.fromPage = 1;
        choice.toPage = 3;
        fs::remove(directory.file("rpage2"));
    };
    EXPECT_EQ(PrintPrintout(context, &schedule, PrintoutKind::Schedule), 3);

    EXPECT_EQ(printers.record.pages, (std::vector<int>{1, 2}));
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[0].text, "Cannot Print Title Page");
    EXPECT_EQ(platform.boxes[0].title, "Print Schedule");
    EXPECT_EQ(platform.boxes[1].text, "Cannot print page!");
    EXPECT_EQ(platform.boxes[1].title, "Print Error");
    for (const RecordingPlatform::Box& box : platform.boxes) {
        EXPECT_EQ(box.icon, MessageIcon::Error);
        EXPECT_TRUE(box.systemModal);
        EXPECT_TRUE(box.printJobMarkSet);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"print dialog", "begin Printing Schedule", "abort"}));
    EXPECT_FALSE(markSet());
}

TEST_F(PrintJob, PageSetupOffersTheHeldMarginsAndKeepsOnlyWhatIsAccepted)
{
    // First use: the margins of the start.
    printers.setupAnswer = PageSetupAnswer::Accepted;
    printers.setupChoice = [](PageSetupChoice& choice) {
        choice.orientation = Orientation::Landscape;
        choice.margins = {750, 1250, 333, 1001};
        choice.dpiX = 600;
        choice.dpiY = 300;
    };
    PageSetup(context, nullptr);
    ASSERT_EQ(printers.setupOffered.size(), 1u);
    EXPECT_EQ(printers.setupOffered[0].margins, (Margins{1000, 1000, 500, 1000}));
    EXPECT_EQ(printers.setupOffered[0].orientation, Orientation::Portrait);
    EXPECT_EQ(records.printer.orientation, 2);
    EXPECT_FALSE(records.printer.firstPageSetup);
    // trunc(margin × dpi × 0.001)
    EXPECT_EQ(records.printer.deviceMarginLeft, 450);
    EXPECT_EQ(records.printer.deviceMarginTop, 375);
    EXPECT_EQ(records.printer.deviceMarginRight, 199);
    EXPECT_EQ(records.printer.deviceMarginBottom, 300);
    EXPECT_FALSE(markSet());

    // The second dialog offers the first one's answers; cancelling it keeps them.
    printers.setupAnswer = PageSetupAnswer::Cancelled;
    printers.setupChoice = [](PageSetupChoice& choice) {
        choice.orientation = Orientation::Portrait;
        choice.margins = {1, 2, 3, 4};
    };
    PageSetup(context, nullptr);
    ASSERT_EQ(printers.setupOffered.size(), 2u);
    EXPECT_EQ(printers.setupOffered[1].margins, (Margins{750, 1250, 333, 1001}));
    EXPECT_EQ(printers.setupOffered[1].orientation, Orientation::Landscape);
    EXPECT_EQ(records.printer.marginLeft, 750);
    EXPECT_EQ(records.printer.orientation, 2);
    EXPECT_TRUE(platform.boxes.empty());

    // The orientation of the page setup goes into the next print dialog.
    writeSchedule(2);
    PrintPrintout(context, nullptr, PrintoutKind::Schedule);
    ASSERT_EQ(printers.offered.size(), 1u);
    EXPECT_EQ(printers.offered[0].orientation, Orientation::Landscape);

    EXPECT_EQ(printers.markDuringDialog, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(markSet());
}

TEST_F(PrintJob, PageSetupMarginsBeyondAnyPaperStopAtTheLargestPixelCount)
{
    printers.setupAnswer = PageSetupAnswer::Accepted;
    printers.setupChoice = [](PageSetupChoice& choice) {
        choice.margins = {INT_MAX, 1789570, 0, 1000};
        choice.dpiX = choice.dpiY = 1200;
    };
    PageSetup(context, nullptr);
    EXPECT_EQ(records.printer.deviceMarginLeft, INT_MAX);
    EXPECT_EQ(records.printer.deviceMarginTop, 2147484);
    EXPECT_EQ(records.printer.deviceMarginBottom, 1200);
}

TEST_F(PrintJob, PageSetupWithAnInvalidPrinterSaysSoAndChangesNothing)
{
    printers.setupAnswer = PageSetupAnswer::InvalidPrinter;
    printers.setupChoice = [](PageSetupChoice& choice) {
        choice.orientation = Orientation::Landscape;
        choice.margins = {1, 2, 3, 4};
    };
    PageSetup(context, nullptr);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Invalid Printer");
    EXPECT_EQ(platform.boxes[0].title, "Print Error");
    EXPECT_EQ(platform.boxes[0].icon, MessageIcon::Error);
    EXPECT_TRUE(platform.boxes[0].systemModal);
    EXPECT_FALSE(platform.boxes[0].printJobMarkSet);
    EXPECT_EQ(records.printer.orientation, 1);
    EXPECT_EQ(records.printer.marginLeft, 1000);
    EXPECT_EQ(records.printer.deviceMarginLeft, 0);
    EXPECT_FALSE(markSet());
}

TEST_F(PrintJob, GraphPrintsOneEmptyPageJobPerCopy)
{
    printers.printAnswer.reset();
    PrintGraph(context, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"print dialog"}));
    EXPECT_FALSE(markSet());
    EXPECT_TRUE(printers.markDuringDialog.at(0));

    log.clear();
    printers.printAnswer = [](PrintChoice& choice) { choice.copies = 3; };
    PrintGraph(context, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"print dialog", "begin Printing Graph", "end",
                                             "begin Printing Graph", "end", "begin Printing Graph",
                                             "end"}));
    EXPECT_EQ(printers.record.pages, (std::vector<int>{1, 1, 1}));
    for (const auto& page : printers.record.drawn) {
        EXPECT_TRUE(page->texts.empty());
        EXPECT_EQ(page->frames, 0);
    }
    EXPECT_FALSE(markSet());
    ASSERT_EQ(printers.offered.size(), 2u);
    EXPECT_EQ(printers.offered[1].copies, 1);
    // The graph's dialog keeps no collate switch.
    EXPECT_FALSE(records.printer.collate);
}

TEST_F(PrintJob, SavedPdfHoldsEveryPageInOrderWithoutAnyDialog)
{
    writeSchedule(57);
    records.printer.orientation = 2;
    EXPECT_TRUE(SavePrintoutPdf(context, &schedule, PrintoutKind::Schedule, "out/sched.pdf"));
    EXPECT_EQ(printers.pdfPaths, (std::vector<std::string>{"out/sched.pdf"}));
    EXPECT_EQ(printers.deviceOrientations, (std::vector<Orientation>{Orientation::Landscape}));
    EXPECT_EQ(printers.record.pages, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(log, (std::vector<std::string>{"begin Printing Schedule", "end"}));
    EXPECT_EQ(printers.record.markDuringPage, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(markSet());
    EXPECT_TRUE(fs::exists(directory.file("rpage2")));
    // The user is told where the file went.
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Saved the printout as out/sched.pdf");
    EXPECT_EQ(platform.boxes[0].title, "Save as PDF");
    EXPECT_EQ(platform.boxes[0].icon, MessageIcon::Information);
    EXPECT_EQ(platform.boxes[0].owner, &schedule);
}

TEST_F(PrintJob, SavedPdfThatCannotBeWrittenIsReported)
{
    writeSchedule(3);
    // The document cannot start: the file cannot be made.
    printers.pdfStartable = false;
    EXPECT_FALSE(SavePrintoutPdf(context, &schedule, PrintoutKind::Schedule, "x/y.pdf"));
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Cannot write the PDF file x/y.pdf");
    EXPECT_EQ(platform.boxes[0].title, "Save as PDF");
    EXPECT_EQ(platform.boxes[0].owner, &schedule);
    EXPECT_TRUE(printers.record.pages.empty());
    EXPECT_FALSE(markSet());

    // Without a table file nothing is asked of the printers.
    fs::remove(directory.file("psched.tmp"));
    printers.pdfPaths.clear();
    EXPECT_FALSE(SavePrintoutPdf(context, &schedule, PrintoutKind::Schedule, "a.pdf"));
    EXPECT_TRUE(printers.pdfPaths.empty());
    EXPECT_EQ(platform.boxes.back().text, "Cannot open temporary print file - psched.tmp");
}

TEST_F(PrintJob, PreviewDrawsEveryPageEachTimeItIsAsked)
{
    writeSchedule(57);
    printers.previewDraws = 2;
    PreviewPrintout(context, &schedule, PrintoutKind::Schedule);
    // Each drawing is one whole document.
    EXPECT_EQ(printers.record.pages, (std::vector<int>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(log, (std::vector<std::string>{"begin Printing Schedule", "end",
                                             "begin Printing Schedule", "end"}));
    EXPECT_EQ(printers.deviceOrientations, (std::vector<Orientation>{Orientation::Portrait}));
    EXPECT_FALSE(markSet());
}

} // namespace
} // namespace tw
