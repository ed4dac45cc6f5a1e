#include "finance/numberreader.h"
#include "finance/format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace tw {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Shows control and non-ASCII bytes of a test input readably in a failure message.
std::string Visible(std::string_view text)
{
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f)
            shown += Format("\\x%02x", byte);
        else
            shown += c;
    }
    return shown;
}

struct FloatCase
{
    std::string_view text;
    float expected;
};

void ExpectReads(const FloatCase& c)
{
    const float actual = ReadFloat(c.text);
    SCOPED_TRACE(
        Format("text \"%s\" expected %.9g got %.9g", Visible(c.text).c_str(), c.expected, actual));
    EXPECT_EQ(actual, c.expected);
    // ±0 and ±infinity must also come out with the expected sign.
    EXPECT_EQ(std::signbit(actual), std::signbit(c.expected));
}

TEST(ReadFloat, ReadsTheLongestDecimalPrefix)
{
    const FloatCase cases[] = {
        {"12", 12.0F},    {"  12.5", 12.5F},   {"+3", 3.0F},      {"-3", -3.0F},
        {".5", 0.5F},     {"-.5e1x", -5.0F},   {"5.", 5.0F},      {"1e3", 1000.0F},
        {"1E3", 1000.0F}, {"1e+3", 1000.0F},   {"2.5e-1", 0.25F}, {"1.5.5", 1.5F},
        {"12abc", 12.0F}, {"7 8", 7.0F},       {"1,5", 1.0F},     {"0012.50", 12.5F},
        {"-0", -0.0F},    {"1e0003", 1000.0F}, {"0.1", 0.1F},     {"123456.78", 123456.78F},
    };
    for (const FloatCase& c : cases)
        ExpectReads(c);
}

TEST(ReadFloat, ReadsZeroWithoutANumber)
{
    const FloatCase cases[] = {
        {"", 0.0F},  {"   ", 0.0F}, {"abc", 0.0F}, {".", 0.0F},  {"-.", 0.0F},  {"+", 0.0F},
        {"-", 0.0F}, {"- 3", 0.0F}, {"+-3", 0.0F}, {"e5", 0.0F}, {".e1", 0.0F}, {"$12", 0.0F},
    };
    for (const FloatCase& c : cases) {
        ExpectReads(c);
        // In double precision the same texts are no number at all.
        EXPECT_FALSE(ReadDouble(c.text).has_value()) << c.text;
    }
    EXPECT_EQ(ReadDouble("0"), 0.0);
    EXPECT_EQ(ReadDouble(" 1234567890.12abc"), 1234567890.12);
}

TEST(ReadFloat, LeavesAnExponentWithoutDigitsUnread)
{
    const FloatCase cases[] = {
        {"1e", 1.0F},  {"1e+", 1.0F},  {"1e-", 1.0F},  {"2.5E", 2.5F},
        {"3ex", 3.0F}, {"4e+x", 4.0F}, {"5e 1", 5.0F}, {"6e--1", 6.0F},
    };
    for (const FloatCase& c : cases)
        ExpectReads(c);
}

TEST(ReadFloat, SkipsOnlyTheCBlanks)
{
    const FloatCase cases[] = {
        {" \t\n\v\f\r7", 7.0F},
        // A no-break space (UTF-8 and Latin-1), a control character and a NUL are not blanks.
        {"\xc2\xa0"
         "5",
         0.0F},
        {"\xa0"
         "5",
         0.0F},
        {"\x01 5", 0.0F},
        {std::string_view("\0 5", 3), 0.0F},
        // Reading stops at them like at any other character.
        {"5\xc2\xa0"
         "1",
         5.0F},
        {std::string_view("7\0 8", 4), 7.0F},
        {"8\x7f", 8.0F},
        // Digits of other scripts are not digits: fullwidth 5, Arabic-Indic 3.
        {"\xef\xbc\x95", 0.0F},
        {"\xd9\xa3", 0.0F},
    };
    for (const FloatCase& c : cases)
        ExpectReads(c);
}

TEST(ReadFloat, TreatsInfinityNanAndHexadecimalAsNoNumber)
{
    const FloatCase cases[] = {
        {"inf", 0.0F},   {"-inf", 0.0F}, {"INFINITY", 0.0F}, {"nan", 0.0F}, {"NAN(123)", 0.0F},
        {"0x1p3", 0.0F}, {"0X10", 0.0F}, {"-0x1p3", -0.0F},  {" 0x", 0.0F},
    };
    for (const FloatCase& c : cases)
        ExpectReads(c);
}

TEST(ReadFloat, GivesInfinityOrZeroOutOfRange)
{
    const FloatCase cases[] = {
        {"1e99999", kInfinity},
        {"-1e99999", -kInfinity},
        {"1e-99999", 0.0F},
        {"-1e-99999", -0.0F},
        {"1e99999999999999999999999", kInfinity},
        {"0e99999999999999999999999", 0.0F},
        {"3.4028235e38", std::numeric_limits<float>::max()},
        // In double, but beyond the largest float and its rounding range.
        {"3.5e38", kInfinity},
        {"1e300", kInfinity},
        {"1.4e-45", std::numeric_limits<float>::denorm_min()},
        {"1e-46", 0.0F},
    };
    for (const FloatCase& c : cases)
        ExpectReads(c);
}

TEST(ReadFloat, RoundsThroughDoubleAsTheStandardConversion)
{
    // 99999999 has no float: the nearest is 100000000.
    ExpectReads({"99999999", 100000000.0F});
    // 1 + 2^-24 + 2^-60 lies just above the midpoint between 1 and the next float, but its
    // nearest double is the midpoint 1 + 2^-24 itself, which then rounds to even: 1. A direct
    // conversion to float would give 1 + 2^-23.
    ExpectReads({"1.0000000596046447762579867", 1.0F});
}

TEST(ReadFloat, ReadsThousandsOfDigits)
{
    const std::string zeros(4999, '0');
    ExpectReads({"1" + zeros, kInfinity});
    const std::string tiny = "0." + zeros + "1";
    ExpectReads({tiny, 0.0F});
    const std::string third = "0." + std::string(5000, '3');
    ExpectReads({third, 1.0F / 3.0F});
    const std::string padded = zeros + "1234.5" + std::string(5000, '0') + "x";
    ExpectReads({padded, 1234.5F});
    // Many digits with an exponent that brings them back into range.
    ExpectReads({"1" + zeros + "e-4999", 1.0F});
}

struct IntCase
{
    std::string_view text;
    int expected;
};

TEST(ReadInt, ReadsTheLeadingInteger)
{
    const IntCase cases[] = {
        {"42", 42},
        {" -42x", -42},
        {"+7", 7},
        {"2.5", 2},
        {"1e3", 1},
        {"\t\n 12", 12},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"- 1", 0},
        {"0x10", 0},
        {".5", 0},
        {"-0", 0},
        {"\xd9\xa3", 0},
        {"\xc2\xa0"
         "9",
         0},
        {"00000000000000000000042", 42},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(Format("text \"%s\" expected %d", Visible(c.text).c_str(), c.expected));
        EXPECT_EQ(ReadInt(c.text), c.expected);
    }
}

TEST(ReadInt, SaturatesAtTheEndsOfTheRange)
{
    const std::string many(5000, '9');
    const std::string plus = many;
    const std::string minus = "-" + many;
    const IntCase cases[] = {
        {"2147483647", INT_MAX},  {"2147483648", INT_MAX},  {"99999999999", INT_MAX},
        {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN}, {"-99999999999", INT_MIN},
        {plus, INT_MAX},          {minus, INT_MIN},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(Format("text \"%.20s\" expected %d", Visible(c.text).c_str(), c.expected));
        EXPECT_EQ(ReadInt(c.text), c.expected);
    }
}

} // namespace
} // namespace tw
