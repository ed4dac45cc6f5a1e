// The number readers and printers against the C library's own conversions in the "C" locale,
// while the process locale writes a decimal comma: ReadFloat and ReadInt against strtod and
// strtol, FormatCents and FormatWhole against printf, FormatMoney and StripToNumber against
// the printed number they rewrite.

#include "finance/format.h"
#include "finance/money.h"
#include "finance/numberreader.h"
#include "fuzz/fuzzcheck.h"

#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <string>

namespace {

using tw::fuzz::Require;

locale_t C()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

std::string Printf(const char* format, double value, int width)
{
    const locale_t previous = uselocale(C());
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, width, value);
    uselocale(previous);
    return buffer;
}

bool SameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// What the reader must give: strtod's value of the same text, except where strtod reads more
// than decimal numbers. Infinity and NaN are no numbers here (0), and of a hexadecimal number
// only its leading 0 counts.
void CheckReadFloat(const std::string& text)
{
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, C());
    std::size_t at = 0;
    while (at < text.size() && std::strchr(" \t\n\v\f\r", text[at]) != nullptr && text[at] != 0)
        ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    float expected = static_cast<float>(value);
    if (end != text.c_str() && at < text.size()) {
        const char first = text[at];
        const bool hex = first == '0' && at + 1 < text.size() &&
                         (text[at + 1] == 'x' || text[at + 1] == 'X') &&
                         end > text.c_str() + at + 1;
        if (hex)
            expected = negative ? -0.0f : 0.0f;
        else if (first == 'i' || first == 'I' || first == 'n' || first == 'N')
            expected = 0.0f;
    }
    const float actual = tw::ReadFloat(text);
    Require(SameBits(actual, expected), "ReadFloat equals strtod converted to float", text);
}

void CheckReadInt(const std::string& text)
{
    const long value = strtol_l(text.c_str(), nullptr, 10, C());
    const long clamped = std::min<long>(std::max<long>(value, std::numeric_limits<int>::min()),
                                        std::numeric_limits<int>::max());
    Require(tw::ReadInt(text) == clamped, "ReadInt equals strtol within the int range", text);
}

// A double and a width out of the input's bytes, to print as the tables do.
void CheckPrinting(const std::uint8_t* data, std::size_t size)
{
    if (size < 9)
        return;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const int width = static_cast<int>(data[8] % 81) - 40;

    const std::string cents = tw::FormatCents(value, width);
    Require(cents == Printf("%*.2f", value, width), "FormatCents equals printf %*.2f",
            Printf("%a", value, 0));
    Require(tw::Format("%*.2f", width, value) == cents, "Format follows no locale");

    int whole = 0;
    std::memcpy(&whole, data, sizeof whole);
    char buffer[64];
    const locale_t previous = uselocale(C());
    std::snprintf(buffer, sizeof buffer, "%*d", width, whole);
    uselocale(previous);
    Require(tw::FormatWhole(whole, width) == buffer, "FormatWhole equals printf %*d", buffer);

    // Money: the printed number with "$" in front, the sign after it and the integer digits
    // grouped by threes. Taking the "$" and the commas out gives the printed number back,
    // which reads as the same value.
    if (!std::isfinite(value))
        return;
    const std::string printed = Printf("%.*f", value, 2);
    const std::string money = tw::FormatMoney(printed);
    Require(money.size() >= 2 && money[0] == '$', "money starts with $", money);
    std::string plain;
    std::size_t digitsSinceComma = 0;
    bool sawComma = false;
    bool inInteger = true;
    for (std::size_t i = 1; i < money.size(); ++i) {
        const char c = money[i];
        if (c == ',') {
            Require(inInteger && (!sawComma ? digitsSinceComma >= 1 && digitsSinceComma <= 3
                                            : digitsSinceComma == 3),
                    "commas group the integer digits by threes", money);
            sawComma = true;
            digitsSinceComma = 0;
            continue;
        }
        if (c == '.')
            inInteger = false;
        else if (c >= '0' && c <= '9' && inInteger)
            ++digitsSinceComma;
        plain += c;
    }
    Require(!sawComma || digitsSinceComma == 3, "the last group before the point has three digits",
            money);
    Require(plain == printed, "money without $ and commas is the printed number", money);
    Require(tw::StripToNumber(printed) == printed, "a printed number is all number", printed);
    Require(SameBits(tw::ReadFloat(plain), tw::ReadFloat(printed)), "money reads back");
}

// Any text: StripToNumber keeps what is left of the blanks' removal up to the first foreign
// character; FormatMoney of it has only money characters.
void CheckAnyMoney(const std::string& text)
{
    const std::string stripped = tw::StripToNumber(text);
    std::string expected;
    for (char c : text) {
        if (c == ' ' || c == '\t')
            continue;
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '$'))
            break;
        expected += c;
    }
    Require(stripped == expected, "StripToNumber drops blanks and ends at a foreign character",
            text);
    const std::string money = tw::FormatMoney(text);
    Require(!money.empty() && money[0] == '$', "money starts with $", money);
    Require(money.find_first_not_of("$-,.0123456789") == std::string::npos,
            "money holds only money characters", money);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The conversions must not follow a decimal-comma locale; without one the check still runs.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckReadFloat(text);
    CheckReadInt(text);
    CheckAnyMoney(text);
    CheckPrinting(data, size);
    return 0;
}
