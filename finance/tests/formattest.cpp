#include "finance/format.h"

#include <gtest/gtest.h>

#include <locale.h>
#include <string>

namespace tw {
namespace {

TEST(Format, PrintsWithTheProgramsFormats)
{
    struct Case
    {
        std::string actual;
        const char* expected;
    };
    const Case cases[] = {
        {Format("%13.2f", 1234.5), "      1234.50"},
        {Format("%-12.2f|", 733.76F), "733.76      |"},
        {Format("%-8.4f|", 0.0833333F), "0.0833  |"},
        {Format("%3d", 7), "  7"},
        {Format("%-6.2f", 23.416666), "23.42 "},
        {Format("%s and %d%%", "text", 5), "text and 5%"},
        {Format("%s", ""), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(Format, RoundsTheExactBinaryValueHalfToEven)
{
    // 0.125 and 0.375 are exact halves of a cent; 2.675 is stored a little below the half.
    EXPECT_EQ(Format("%.2f", 0.125), "0.12");
    EXPECT_EQ(Format("%.2f", 0.375), "0.38");
    EXPECT_EQ(Format("%.2f", 2.675), "2.67");
    EXPECT_EQ(Format("%.2f", 1234567.89F), "1234567.88");
}

TEST(Format, ProducesTextsOfAnyLength)
{
    const std::string long_text(10000, 'x');
    EXPECT_EQ(Format("<%s>", long_text.c_str()), "<" + long_text + ">");
    const std::string padded = Format("%5000d", 1);
    ASSERT_EQ(padded.size(), 5000U);
    EXPECT_EQ(padded.back(), '1');
    EXPECT_EQ(padded.find_first_not_of(' '), 4999U);
}

TEST(Format, LeavesTheThreadLocaleAsItWas)
{
    // A locale object of the test's own, so that it cannot be mistaken for the one Format uses.
    const locale_t own = duplocale(LC_GLOBAL_LOCALE);
    ASSERT_NE(own, static_cast<locale_t>(nullptr));
    const locale_t outer = uselocale(own);
    (void)Format("%.2f", 1.5);
    EXPECT_EQ(uselocale(static_cast<locale_t>(nullptr)), own);
    uselocale(outer);
    freelocale(own);
}

} // namespace
} // namespace tw
