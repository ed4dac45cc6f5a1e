#include "finance/format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <locale.h>
#include <random>
#include <string>
#include <vector>

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

TEST(FormatCents, GivesWhatPrintfGives)
{
    // Values the tables print: floats and extended sums, halves of a cent, negatives, zeros,
    // values near the ends of the range, and random bit patterns.
    std::vector<double> values = {0.0,      -0.0,      0.005,  0.015,   0.125,  0.375,    2.675,
                                  -0.001,   -0.005,    1e-300, -1e-300, 5e-324, 0.994999, 0.995,
                                  99.995,   1e15,      1e17,   4.6e16,  4.7e16, 3.4e38,   -3.4e38,
                                  INFINITY, -INFINITY, NAN,    -NAN};
    std::mt19937_64 random(9);
    for (int i = 0; i < 40000; ++i) {
        const int kind = i % 4;
        if (kind == 0)
            values.push_back(std::bit_cast<double>(random()));
        else if (kind == 1)
            values.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
        else if (kind == 2) // whole cents and their halves, where the ties are
            values.push_back(
                static_cast<double>(static_cast<std::int64_t>(random() % 2000000001) - 1000000000) /
                (i % 8 == 2 ? 200.0 : 100.0));
        else
            values.push_back(std::uniform_real_distribution<double>(-1e9, 1e9)(random));
    }
    for (double value : values) {
        for (int width : {0, -12, 16}) {
            const std::string expected = Format("%*.2f", width, value);
            ASSERT_EQ(FormatCents(value, width), expected)
                << std::hexfloat << value << " width " << width;
        }
    }
}

TEST(FormatWhole, GivesWhatPrintfGives)
{
    for (int value : {0, 7, -7, 45, 120, -120, 12345, 2147483647, -2147483647 - 1}) {
        for (int width : {0, 2, -2, 3, -3, 12}) {
            SCOPED_TRACE(testing::Message() << value << " width " << width);
            EXPECT_EQ(FormatWhole(value, width), Format("%*d", width, value));
        }
    }
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
