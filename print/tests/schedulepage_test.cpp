#include "print/schedulepage.h"

#include "print/pagefiles.h"
#include "print/tests/printouts.h"
#include "print/tests/recordingpainter.h"
#include "tests/support/tempdirectory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw {
namespace {

std::tm Tm(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year;
    t.tm_mon = month;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(PrintDateText, NamesTheMonthAndCountsYearsFrom2000)
{
    struct Case
    {
        int tmYear, month, day;
        const char* text;
    };
    const Case cases[] = {
        {126, 11, 9, "December 9, 2026"}, {100, 0, 1, "January 1, 2000"},
        {99, 1, 28, "February 28, 2099"}, {199, 8, 30, "September 30, 2099"},
        {125, 4, 31, "May 31, 2025"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PrintDateText(Tm(c.tmYear, c.month, c.day, 0, 0, 0)), c.text);
    }
}

TEST(PrintTimeText, UsesATwelveHourClockWithATrailingBlank)
{
    struct Case
    {
        int hour, minute, second;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 0, "12:00:00 AM "},    {0, 5, 9, "12:05:09 AM "},  {1, 2, 3, "1:02:03 AM "},
        {11, 59, 59, "11:59:59 AM "}, {12, 0, 0, "12:00:00 PM "}, {13, 7, 0, "1:07:00 PM "},
        {23, 30, 45, "11:30:45 PM "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PrintTimeText(Tm(126, 0, 1, c.hour, c.minute, c.second)), c.text);
    }
}

TEST(PageCellText, TrimsQuotesTrailingSignsAndLeadingBlanks)
{
    struct Case
    {
        const char* field;
        const char* text;
    };
    const Case cases[] = {
        {"+Diff. in Mon. Pay.  ", "+Diff. in Mon. Pay"},
        {"-Tax on Interest  ", "-Tax on Interest"},
        {"        35.00 O ", "35.00 O"},
        {"      1234.50 ", "1234.50"},
        {"\"Quoted\" ", "Quoted"},
        {"\"", ""},
        {"- ", "-"},   // the first character stays
        {"  -  ", ""}, // ... but it was a blank
        {" ", ""},
        {"Zins \xC3\xA4 ", "Zins \xC3\xA4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("field '") + c.field + "'");
        EXPECT_EQ(PageCellText(c.field), c.text);
    }
}

constexpr Size kLetter600{5100, 6600};

const std::tm kNow = Tm(126, 11, 9, 13, 5, 9);

PageHeading MortgageHeading()
{
    return {"Mortgage Payoff Schedule", true, ""};
}

TEST(DrawSchedulePage, TitlePageCentresTitleDateAndTime)
{
    RecordingPainter painter(kLetter600);
    ASSERT_TRUE(
        DrawSchedulePage(painter, "", 0, 3, PrintoutKind::Schedule, MortgageHeading(), kNow));
    // Body font of the page 30 × 116 (4920 / 160, 6400 / 55); three times that on the title
    // page, line height 348 + 43 = 391; the date and time twice, line height 261.
    // y = 100 + 3 · 391 + 195 = 1468, then trunc(1468 + 1.25 · 391) = 1956, then + 391.
    ASSERT_EQ(painter.texts.size(), 3U);
    const auto& title = painter.texts[0];
    EXPECT_EQ(title.text, "Mortgage Payoff Schedule");
    EXPECT_EQ(title.where, (Rect{120, 1468, 4920, 391}));
    EXPECT_EQ(title.font, (PageFont{90, 348, 0}));
    const auto& date = painter.texts[1];
    EXPECT_EQ(date.text, "December 9, 2026");
    EXPECT_EQ(date.where, (Rect{120, 1956, 4920, 261}));
    EXPECT_EQ(date.font, (PageFont{60, 232, 0}));
    const auto& time = painter.texts[2];
    EXPECT_EQ(time.text, "1:05:09 PM ");
    EXPECT_EQ(time.where, (Rect{120, 2347, 4920, 261}));
    for (const auto& text : painter.texts) {
        EXPECT_EQ(text.align, TextAlign::Center) << text.text;
        EXPECT_FALSE(text.wrap) << text.text;
    }
    EXPECT_TRUE(painter.frames.empty());
}

TEST(DrawSchedulePage, TitlePageWithoutTitleModeShowsTheFile)
{
    RecordingPainter painter(kLetter600);
    const PageHeading heading{"Refinance Analysis Report", false, ""};
    ASSERT_TRUE(DrawSchedulePage(painter, "", 0, 1, PrintoutKind::Refinance, heading, kNow));
    ASSERT_FALSE(painter.texts.empty());
    EXPECT_EQ(painter.texts[0].text, "File: ");
}

TEST(DrawSchedulePage, MissingPageFileDrawsNothing)
{
    TempDirectory directory;
    ASSERT_TRUE(directory.valid());
    RecordingPainter painter(kLetter600);
    EXPECT_FALSE(DrawSchedulePage(painter, directory.file("rpage1"), 1, 1, PrintoutKind::Schedule,
                                  MortgageHeading(), kNow));
    EXPECT_TRUE(painter.empty());
}

class SchedulePageTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(directory_.valid()); }

    // Writes the page files of a table file's text and returns page `page`'s name.
    std::string pageFile(const std::string& input, PrintoutKind kind, int page)
    {
        const auto pages = PageFileTexts(ParsePrintTable(input), kind);
        for (std::size_t p = 0; p < pages.size(); ++p)
            directory_.write("rpage" + std::to_string(p + 1), pages[p]);
        return directory_.file("rpage" + std::to_string(page));
    }

    static std::vector<RecordingPainter::Text> At(const RecordingPainter& painter, int y)
    {
        std::vector<RecordingPainter::Text> row;
        for (const auto& text : painter.texts)
            if (text.where.y == y)
                row.push_back(text);
        return row;
    }

    TempDirectory directory_;
};

TEST_F(SchedulePageTest, FirstPageHasItsNumberCentredHeadingsAndRule)
{
    RecordingPainter painter(kLetter600);
    const std::string file = pageFile(printouts::ScheduleInput(31), PrintoutKind::Schedule, 1);
    ASSERT_TRUE(
        DrawSchedulePage(painter, file, 1, 3, PrintoutKind::Schedule, MortgageHeading(), kNow));
    // 31 rows fit in the page's own body font: 30 × 116, line height 130.
    ASSERT_GE(painter.texts.size(), 4U);
    const auto& number = painter.texts[0];
    EXPECT_EQ(number.text, "Page 1 of 3");
    EXPECT_EQ(number.where, (Rect{120, 0, 4920, 130}));
    EXPECT_EQ(number.align, TextAlign::Center);
    EXPECT_EQ(number.font, (PageFont{30, 116, 0}));

    const char* const headings[] = {" Mortgage Payoff Schedule", " December 9, 2026",
                                    " 1:05:09 PM "};
    for (int i = 0; i < 3; ++i) {
        const auto& heading = painter.texts[static_cast<std::size_t>(i) + 1];
        EXPECT_EQ(heading.text, headings[i]);
        EXPECT_EQ(heading.where, (Rect{120, 230 + 130 * i, 4920, 130}));
        EXPECT_EQ(heading.align, TextAlign::Center);
        EXPECT_EQ(heading.font, (PageFont{30, 116, 800}));
    }
    const auto titles = At(painter, 620);
    ASSERT_EQ(titles.size(), 10U);
    EXPECT_EQ(titles[0].text, "Age");
    EXPECT_EQ(titles[9].text, "Property Liability");
    for (std::size_t i = 0; i < titles.size(); ++i) {
        EXPECT_EQ(titles[i].where, (Rect{120 + 492 * static_cast<int>(i), 620, 492, 130}));
        EXPECT_EQ(titles[i].align, TextAlign::Center);
        EXPECT_TRUE(titles[i].wrap);
        EXPECT_EQ(titles[i].font, (PageFont{30, 116, 0}));
    }
    // "Property Liability" took two lines, so the rule and the first row start two lines
    // down: the rule leaves y where it was. Rows below a million are centred too.
    ASSERT_EQ(painter.frames.size(), 1U);
    EXPECT_EQ(painter.frames[0], (Rect{120, 880, 4920, 1}));
    const auto first = At(painter, 880);
    ASSERT_EQ(first.size(), 10U);
    EXPECT_EQ(first[0].text, "35.00");
    EXPECT_EQ(first[9].text, "227.25");
    EXPECT_EQ(first[0].align, TextAlign::Center);
    const auto last = At(painter, 880 + 30 * 130);
    ASSERT_EQ(last.size(), 10U);
    EXPECT_EQ(last[0].text, "65.00");
    EXPECT_EQ(painter.texts.size(), 4U + 10U * 32U);
}

TEST_F(SchedulePageTest, LaterPagesStartTheHeadingsAtTheMargin)
{
    RecordingPainter painter(kLetter600);
    const std::string file = pageFile(printouts::ScheduleInput(57), PrintoutKind::Schedule, 2);
    ASSERT_TRUE(
        DrawSchedulePage(painter, file, 2, 2, PrintoutKind::Schedule, MortgageHeading(), kNow));
    ASSERT_GE(painter.texts.size(), 4U);
    EXPECT_EQ(painter.texts[0].text, "Page 2 of 2");
    EXPECT_EQ(painter.texts[0].align, TextAlign::Center);
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(painter.texts[i].where.x, 120);
        EXPECT_EQ(painter.texts[i].align, TextAlign::Left) << painter.texts[i].text;
    }
    // The one row of the page.
    EXPECT_EQ(painter.texts.back().text, "56227.25");
}

TEST_F(SchedulePageTest, RowsOfAMillionOrMoreAreRightAligned)
{
    const std::string input = "Age\tValue\n"
                              "1234567\t5\n"
                              "999999.75\t5\n";
    RecordingPainter painter(kLetter600);
    const std::string file = pageFile(input, PrintoutKind::Schedule, 1);
    ASSERT_TRUE(
        DrawSchedulePage(painter, file, 1, 1, PrintoutKind::Schedule, MortgageHeading(), kNow));
    std::vector<RecordingPainter::Text> million, below;
    for (const auto& text : painter.texts) {
        if (text.text == "1234567.00")
            million.push_back(text);
        if (text.text == "999999.75")
            below.push_back(text);
    }
    ASSERT_EQ(million.size(), 1U);
    ASSERT_EQ(below.size(), 1U);
    for (const auto& cell : At(painter, million[0].where.y)) {
        EXPECT_EQ(cell.align, TextAlign::Right) << cell.text;
        EXPECT_FALSE(cell.wrap) << cell.text;
    }
    for (const auto& cell : At(painter, below[0].where.y)) {
        EXPECT_EQ(cell.align, TextAlign::Center) << cell.text;
        EXPECT_TRUE(cell.wrap) << cell.text;
    }
    // Ten cells on each: the page file writes ten values, missing ones as 0.00.
    EXPECT_EQ(At(painter, million[0].where.y).size(), 10U);
}

TEST_F(SchedulePageTest, RefinancePageWithoutTitleModeShowsTheFileAndTrimmedTitles)
{
    RecordingPainter painter(kLetter600);
    const std::string file = pageFile(printouts::RefinanceInput(2), PrintoutKind::Refinance, 1);
    const PageHeading heading{"Refinance Analysis Report", false, ""};
    ASSERT_TRUE(DrawSchedulePage(painter, file, 1, 1, PrintoutKind::Refinance, heading, kNow));
    ASSERT_GE(painter.texts.size(), 2U);
    EXPECT_EQ(painter.texts[0].text, "Page 1 of 1");
    EXPECT_EQ(painter.texts[1].text, " File: ");
    const auto titles = At(painter, painter.texts.at(4).where.y);
    ASSERT_EQ(titles.size(), 10U);
    EXPECT_EQ(titles[0].text, "Age");
    EXPECT_EQ(titles[4].text, "+Diff. in Mon. Pay");
    EXPECT_EQ(titles[4].where.x, 120 + 4 * 492);
    EXPECT_EQ(titles[8].text, "-Savings Interest");
    std::vector<std::string> ages;
    for (const auto& text : painter.texts)
        if (text.where.x == 120 && text.where.y >= painter.frames.at(0).y)
            ages.push_back(text.text);
    EXPECT_EQ(ages, (std::vector<std::string>{"35.00 O", "36.00 R"}));
}

TEST_F(SchedulePageTest, FieldsBeyondTheTenthColumnAreNotDrawn)
{
    directory_.write("rpage1", "a\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl\n"
                               "Dooone\n");
    RecordingPainter painter(kLetter600);
    ASSERT_TRUE(DrawSchedulePage(painter, directory_.file("rpage1"), 1, 1, PrintoutKind::Schedule,
                                 MortgageHeading(), kNow));
    ASSERT_EQ(painter.texts.size(), 4U + 10U);
    EXPECT_EQ(painter.texts.back().text, "j");
    for (const auto& text : painter.texts)
        EXPECT_LE(text.where.x + text.where.width, 5100 - 60) << text.text;
}

TEST_F(SchedulePageTest, FullPagesFitBetweenTheMargins)
{
    struct Case
    {
        const char* paper;
        Size size;
        PrintoutKind kind;
        double glyphFactor;
    };
    const Case cases[] = {
        {"A4 portrait 600 dpi", {4958, 7016}, PrintoutKind::Schedule, 1.0},
        {"letter portrait 600 dpi", {5100, 6600}, PrintoutKind::Schedule, 1.0},
        {"A4 landscape 600 dpi", {7016, 4958}, PrintoutKind::Schedule, 1.0},
        {"letter landscape 600 dpi", {6600, 5100}, PrintoutKind::Schedule, 1.0},
        {"A4 portrait 300 dpi", {2480, 3508}, PrintoutKind::Schedule, 1.0},
        {"letter portrait 600 dpi", {5100, 6600}, PrintoutKind::Refinance, 1.0},
        {"A4 landscape 600 dpi", {7016, 4958}, PrintoutKind::Refinance, 1.0},
        // Glyphs wider than the font's character width wrap the titles onto more lines than
        // the page expected: the rows below them still fit.
        {"letter portrait, wide glyphs", {5100, 6600}, PrintoutKind::Refinance, 2.0},
        {"A4 landscape, wide glyphs", {7016, 4958}, PrintoutKind::Refinance, 2.0},
    };
    for (const Case& c : cases) {
        const bool schedule = c.kind == PrintoutKind::Schedule;
        SCOPED_TRACE(std::string(c.paper) + (schedule ? ", schedule" : ", refinance"));
        const int rows = schedule ? 56 : 46;
        const std::string file = pageFile(schedule ? printouts::ScheduleInput(rows + 1)
                                                   : printouts::RefinanceInput(rows + 1),
                                          c.kind, 1);
        RecordingPainter painter(c.size, c.glyphFactor);
        ASSERT_TRUE(DrawSchedulePage(painter, file, 1, 2, c.kind, MortgageHeading(), kNow));

        const int bottom = c.size.height - 100;
        int lowest = 0;
        for (const auto& text : painter.texts) {
            const int end = text.where.y + std::max(text.where.height, text.drawnHeight);
            EXPECT_LE(end, bottom) << text.text;
            lowest = std::max(lowest, end);
            if (&text != &painter.texts.front()) { // the page number sits in the top margin
                EXPECT_GE(text.where.y, 100) << text.text;
            }
            EXPECT_GE(text.where.x, 120) << text.text;
            EXPECT_LE(text.where.x + text.where.width, c.size.width - 60) << text.text;
        }
        for (const Rect& frame : painter.frames)
            EXPECT_LE(frame.y + frame.height, bottom);

        // Every row is there, the last one included...
        int ages = 0;
        for (const auto& text : painter.texts)
            if (text.where.x == 120 && text.where.y >= painter.frames.at(0).y)
                ++ages;
        EXPECT_EQ(ages, rows);
        const std::string lastValue = printouts::Field13(printouts::Cents(rows - 1, 9));
        EXPECT_EQ(painter.texts.back().text, lastValue.substr(lastValue.find_first_not_of(' ')));
        // ... and the font is no smaller than it must be: less than two lines stay empty.
        const PageFont& last = painter.texts.back().font;
        EXPECT_GT(lowest, bottom - 2 * (last.height + last.height / 8));
        EXPECT_LE(last.height, (c.size.height - 200) / 55);
        if (c.glyphFactor > 1) { // the rows below the titles had to shrink
            EXPECT_LT(last.height, painter.texts.at(4).font.height);
        }
        EXPECT_EQ(last.width, (c.size.width - 180) / 160);
    }
}

} // namespace
} // namespace tw
