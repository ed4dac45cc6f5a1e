#include "finance/money.h"
#include "finance/format.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tw {
namespace {

struct TextCase
{
    std::string_view text;
    std::string_view expected;
};

void ExpectMoney(const TextCase& c)
{
    const std::string actual = FormatMoney(c.text);
    SCOPED_TRACE(Format("text \"%.*s\" expected \"%.*s\" got \"%s\"",
                        static_cast<int>(c.text.size()), c.text.data(),
                        static_cast<int>(c.expected.size()), c.expected.data(), actual.c_str()));
    EXPECT_EQ(actual, c.expected);
}

TEST(FormatMoney, GroupsTheIntegerDigitsByThrees)
{
    const TextCase cases[] = {
        {"1234567.89", "$1,234,567.89"},
        {"0.00", "$0.00"},
        {"1.00", "$1.00"},
        {"12.00", "$12.00"},
        {"123.00", "$123.00"},
        {"1234.00", "$1,234.00"},
        {"12345.67", "$12,345.67"},
        {"123456.00", "$123,456.00"},
        {"99999999.00", "$99,999,999.00"},
        {"100000000.00", "$100,000,000.00"},
        {"   1000.00   ", "$1,000.00"},
        {"\t 1000.00 \t", "$1,000.00"},
    };
    for (const TextCase& c : cases)
        ExpectMoney(c);
}

TEST(FormatMoney, PutsSignAfterDollar)
{
    const TextCase cases[] = {
        {"-1234.50", "$-1,234.50"},     {"-123.45", "$-123.45"},           {"-1.00", "$-1.00"},
        {"-123456.00", "$-123,456.00"}, {"-1234567.89", "$-1,234,567.89"}, {"  -0.00", "$-0.00"},
    };
    for (const TextCase& c : cases)
        ExpectMoney(c);
}

TEST(FormatMoney, RewritesPrintedFloats)
{
    // float 1234567.89 is 1234567.875, which "%.2f" rounds half to even.
    EXPECT_EQ(FormatMoney(Format("%13.2f", 1234567.89F)), "$1,234,567.88");
    EXPECT_EQ(FormatMoney(Format("%-12.2f", 733.7645F)), "$733.76");
    EXPECT_EQ(FormatMoney(Format("%13.2f", -1011.31F)), "$-1,011.31");
    // The largest float prints 39 integer digits: 13 groups.
    EXPECT_EQ(FormatMoney(Format("%.2f", std::numeric_limits<float>::max())),
              "$340,282,346,638,528,859,811,704,183,484,516,925,440.00");
}

TEST(FormatMoney, GivesAWellDefinedTextForGarbage)
{
    const TextCase cases[] = {
        // Nothing that reads as a number: only the dollar sign.
        {"", "$"},
        {"abc", "$"},
        {"   ", "$"},
        {"inf", "$"},
        // A sign alone or a point alone stays as it is.
        {"-", "$-"},
        {".", "$."},
        {"-.", "$-."},
        // Without a point the whole text is the integer part.
        {"1234", "$1,234"},
        {"-1234567", "$-1,234,567"},
        // Several signs make one; a "$" of the text gives way to the result's own.
        {"--1234.5", "$-1,234.5"},
        {"1-234.00", "$-1,234.00"},
        {"$1234.00", "$1,234.00"},
        {"12$34.00", "$1,234.00"},
        {"-$1234.00", "$-1,234.00"},
        // After the point everything stays, however odd.
        {"1234.5-6", "$1,234.5-6"},
        {"1234.5.6", "$1,234.5.6"},
        {"12.$", "$12.$"},
        // Blanks inside vanish; the first foreign character ends the number.
        {"1 234.00", "$1,234.00"},
        {"1,234.00", "$1"},
        {"12abc34.00", "$12"},
        {"1234.00\n", "$1,234.00"},
        {"\xc2\xa0"
         "1234.00",
         "$"},
        {std::string_view("1234\0.00", 8), "$1,234"},
    };
    for (const TextCase& c : cases)
        ExpectMoney(c);
}

TEST(FormatMoney, HandlesTextsOfAnyLength)
{
    const std::string digits(400, '7');
    const std::string text = "  -" + digits + ".25  ";
    const std::string money = FormatMoney(text);

    ASSERT_EQ(money.substr(0, 2), "$-");
    ASSERT_EQ(money.substr(money.size() - 3), ".25");
    // 400 digits make 133 full groups of three after a first group of one.
    const std::string grouped = money.substr(2, money.size() - 5);
    EXPECT_EQ(grouped.size(), 400U + 133U);
    EXPECT_EQ(grouped.substr(0, 5), "7,777");
    for (std::size_t i = 1; i < grouped.size(); i += 4)
        ASSERT_EQ(grouped[i], ',') << "at " << i;
    std::string ungrouped;
    for (const char c : grouped)
        if (c != ',')
            ungrouped += c;
    EXPECT_EQ(ungrouped, digits);

    // A long tail after the point comes through unchanged.
    const std::string tail(1000, '5');
    EXPECT_EQ(FormatMoney("1000." + tail), "$1,000." + tail);
}

TEST(StripToNumber, RemovesBlanksAndEndsAtTheFirstForeignCharacter)
{
    const TextCase cases[] = {
        {" 12 34.5 ", "1234.5"},
        {"12a34", "12"},
        {"$-1.5x", "$-1.5"},
        {"", ""},
        {"abc", ""},
        {"1,234.00", "1"},
        {"\t5\t", "5"},
        {"-- 1..2$", "--1..2$"},
        {"1.5e3", "1.5"},
        {"7\n8", "7"},
    };
    for (const TextCase& c : cases) {
        const std::string actual = StripToNumber(c.text);
        SCOPED_TRACE(Format(
            "text \"%.*s\" expected \"%.*s\" got \"%s\"", static_cast<int>(c.text.size()),
            c.text.data(), static_cast<int>(c.expected.size()), c.expected.data(), actual.c_str()));
        EXPECT_EQ(actual, c.expected);
    }
}

} // namespace
} // namespace tw
