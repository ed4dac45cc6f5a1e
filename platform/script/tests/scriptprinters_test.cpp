// The script host's printing steps: how they are read, how they answer the next dialog, and
// the lines the dialogs and pages write.
#include "platform/script/scriptprinters.h"
#include "platform/script/scriptstep.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

TEST(ParseScriptStep, TakesApartThePrintingSteps)
{
    struct Case
    {
        std::string_view line;
        StepVerb verb;
        int id = 0;
        int value = 0;
        std::string_view text = {};
        std::optional<Margins> margins = {};
    };
    const Case cases[] = {
        {"printer cancel", StepVerb::PrinterCancel},
        {"printer pdf out.pdf", StepVerb::PrinterPdf, 0, 0, "out.pdf"},
        {"printer pdf  my file.pdf  ", StepVerb::PrinterPdf, 0, 0, "my file.pdf"},
        {"printer range 2 3", StepVerb::PrinterRange, 2, 3},
        {"printer range 0 0", StepVerb::PrinterRange, 0, 0},
        {"printer copies 3", StepVerb::PrinterCopies, 0, 3},
        {"printer collate 1", StepVerb::PrinterCollate, 0, 1},
        {"printer collate 0", StepVerb::PrinterCollate, 0, 0},
        {"pagesetup cancel", StepVerb::PageSetupCancel},
        {"pagesetup portrait", StepVerb::PageSetupPortrait},
        {"pagesetup landscape", StepVerb::PageSetupLandscape},
        {"pagesetup landscape 750 1250 333 0", StepVerb::PageSetupLandscape, 0, 0, "",
         Margins{750, 1250, 333, 0}},
        {"export csv table.csv", StepVerb::ExportCsv, 0, 0, "table.csv"},
        {"export pdf out/t.pdf", StepVerb::ExportPdf, 0, 0, "out/t.pdf"},
    };
    for (const Case& expected : cases) {
        SCOPED_TRACE(std::string(expected.line));
        const ParsedStep parsed = ParseScriptStep(expected.line);
        ASSERT_TRUE(parsed.step.has_value()) << parsed.error;
        EXPECT_EQ(parsed.step->verb, expected.verb);
        EXPECT_EQ(parsed.step->id, expected.id);
        EXPECT_EQ(parsed.step->value, expected.value);
        EXPECT_EQ(parsed.step->text, expected.text);
        EXPECT_EQ(parsed.step->margins, expected.margins);
    }
}

TEST(ParseScriptStep, RefusesMalformedPrintingSteps)
{
    for (const std::string_view line :
         {"printer", "printer pdf", "printer pdf   ", "printer range 1", "printer range 1 2 3",
          "printer range -1 2", "printer copies 0", "printer copies x", "printer collate 2",
          "printer cancel now", "printer fax", "pagesetup", "pagesetup sideways",
          "pagesetup cancel 1", "pagesetup portrait 1 2 3", "pagesetup landscape 1 2 3 -4",
          "export", "export csv", "export xls a.xls"}) {
        SCOPED_TRACE(std::string(line));
        const ParsedStep parsed = ParseScriptStep(line);
        EXPECT_FALSE(parsed.step.has_value());
        EXPECT_NE(parsed.error.find("malformed arguments, expected: "), std::string::npos)
            << parsed.error;
    }
}

class ScriptPrintersTest : public ::testing::Test
{
  protected:
    // Every line joined by tabs.
    std::vector<std::string> lines;
    ScriptPrinters printers{[this](const std::vector<std::string_view>& fields) {
        std::string line;
        for (const std::string_view field : fields)
            line += (line.empty() ? "" : "\t") + std::string(field);
        lines.push_back(line);
    }};
    std::vector<std::string> opened; // the PDF files asked for

    void SetUp() override
    {
        printers.setPdfDevices([this](std::string_view path, Orientation orientation) {
            opened.push_back(std::string(path) +
                             (orientation == Orientation::Landscape ? " landscape" : " portrait"));
            return std::unique_ptr<PrintDevice>();
        });
    }
    static PrintChoice Offer()
    {
        return PrintChoice{0, 2, 0, 2, 1, true, Orientation::Landscape, "Printing Schedule"};
    }
};

TEST_F(ScriptPrintersTest, PrintDialogIsCancelledUnlessAPdfPrinterWasChosenForIt)
{
    PrintChoice choice = Offer();
    printers.chooseCopies(3);
    EXPECT_EQ(printers.choosePrinter(nullptr, choice), nullptr);
    EXPECT_EQ(lines, (std::vector<std::string>{"printdialog\t0\t2\t1\t1\tlandscape"}));
    EXPECT_TRUE(opened.empty());

    // The answers were for that dialog only.
    printers.acceptPrintToPdf("a.pdf");
    printers.cancelPrint();
    choice = Offer();
    EXPECT_EQ(printers.choosePrinter(nullptr, choice), nullptr);
    EXPECT_EQ(choice.copies, 1);
    EXPECT_TRUE(opened.empty());
}

TEST_F(ScriptPrintersTest, AcceptedDialogTakesTheChoicesKeptWithinTheOfferedPages)
{
    struct Case
    {
        const char* name;
        std::function<void(ScriptPrinters&)> answer;
        int from, to, copies;
        bool collate;
    };
    const Case cases[] = {
        {"as offered", [](ScriptPrinters&) {}, 0, 2, 1, true},
        {"range and copies",
         [](ScriptPrinters& p) {
             p.choosePages(1, 2);
             p.chooseCopies(2);
             p.chooseCollate(false);
         },
         1, 2, 2, false},
        {"beyond the last page", [](ScriptPrinters& p) { p.choosePages(2, 5); }, 2, 2, 1, true},
        {"ends before it starts", [](ScriptPrinters& p) { p.choosePages(2, 1); }, 2, 2, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        opened.clear();
        printers.acceptPrintToPdf("out.pdf");
        c.answer(printers);
        PrintChoice choice = Offer();
        // Without a PDF file to draw on there is no device.
        EXPECT_EQ(printers.choosePrinter(nullptr, choice), nullptr);
        EXPECT_EQ(opened, (std::vector<std::string>{"out.pdf landscape"}));
        EXPECT_EQ(choice.fromPage, c.from);
        EXPECT_EQ(choice.toPage, c.to);
        EXPECT_EQ(choice.copies, c.copies);
        EXPECT_EQ(choice.collate, c.collate);
    }
}

TEST_F(ScriptPrintersTest, PagesArePrintedAsLinesAndCountedWithoutPdfDevices)
{
    ScriptPrinters plain([this](const std::vector<std::string_view>& fields) {
        lines.push_back(std::string(fields.at(0)) + " " + std::string(fields.at(1)) + " " +
                        std::string(fields.at(2)));
    });
    plain.acceptPrintToPdf("never.pdf");
    PrintChoice choice = Offer();
    lines.clear();
    std::unique_ptr<PrintDevice> device = plain.choosePrinter(nullptr, choice);
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->beginDocument("Printing Graph"));
    PagePainter* page = device->beginPage(1);
    ASSERT_NE(page, nullptr);
    EXPECT_GT(page->pageSize().height, page->pageSize().width);
    page->setFont({10, 40, 0});
    EXPECT_EQ(page->lineHeight(), 40);
    device->endPage();
    device->endDocument();
    EXPECT_EQ(lines, (std::vector<std::string>{"printdialog 0 2", "print Printing Graph 1"}));
}

TEST_F(ScriptPrintersTest, PageSetupOffersAndIsAnsweredOnce)
{
    PageSetupChoice choice{Orientation::Portrait, Margins{1000, 1000, 500, 1000}, 0, 0};
    EXPECT_EQ(printers.pageSetup(nullptr, choice), PageSetupAnswer::Cancelled);

    printers.acceptPageSetup(Orientation::Landscape, Margins{1, 2, 3, 4});
    EXPECT_EQ(printers.pageSetup(nullptr, choice), PageSetupAnswer::Accepted);
    EXPECT_EQ(choice.orientation, Orientation::Landscape);
    EXPECT_EQ(choice.margins, (Margins{1, 2, 3, 4}));
    EXPECT_EQ(choice.dpiX, ScriptPrinters::kDotsPerInch);
    EXPECT_EQ(choice.dpiY, ScriptPrinters::kDotsPerInch);

    // Without margins the offered ones stay.
    printers.acceptPageSetup(Orientation::Portrait, std::nullopt);
    EXPECT_EQ(printers.pageSetup(nullptr, choice), PageSetupAnswer::Accepted);
    EXPECT_EQ(choice.margins, (Margins{1, 2, 3, 4}));
    EXPECT_EQ(choice.orientation, Orientation::Portrait);

    printers.acceptPageSetup(Orientation::Landscape, std::nullopt);
    printers.cancelPageSetup();
    EXPECT_EQ(printers.pageSetup(nullptr, choice), PageSetupAnswer::Cancelled);
    EXPECT_EQ(lines, (std::vector<std::string>{"pagesetup\tportrait\t1000\t1000\t500\t1000",
                                               "pagesetup\tportrait\t1000\t1000\t500\t1000",
                                               "pagesetup\tlandscape\t1\t2\t3\t4",
                                               "pagesetup\tportrait\t1\t2\t3\t4"}));
}

} // namespace
} // namespace tw
