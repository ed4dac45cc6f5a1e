// The script host's printing steps: how they answer the next dialog, and the lines the
// dialogs and pages write. How the steps are read is with the other steps.
#include "platform/script/scriptprinters.h"
#include "platform/script/scriptstep.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

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
