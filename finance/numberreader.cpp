#include "finance/numberreader.h"

#include "finance/clocale.h"

#include <climits>
#include <cstdlib>
#include <string>

namespace tw {

namespace {

// The blanks of the C locale's isspace, spelled out so that the process locale cannot add any.
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

struct Scanner
{
    std::string_view text;
    std::size_t at = 0;

    bool AtEnd() const { return at >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[at]; }
    void SkipBlanks()
    {
        while (!AtEnd() && IsSpace(text[at]))
            ++at;
    }
    // Appends the run of digits to out and says how many there were.
    std::size_t TakeDigits(std::string& out)
    {
        const std::size_t start = at;
        while (!AtEnd() && IsDigit(text[at]))
            ++at;
        out.append(text.substr(start, at - start));
        return at - start;
    }
};

// The longest decimal number at the start of text (after blanks), rewritten as a clean ASCII
// text that holds nothing else; empty when the text does not start with a number. Only
// decimal digits count: "inf", "nan" and hexadecimal are not numbers here, and "0x1p3"
// yields "0".
std::string DecimalPrefix(std::string_view text)
{
    Scanner scan{text};
    scan.SkipBlanks();

    std::string number;
    if (scan.Peek() == '+' || scan.Peek() == '-')
        number += text[scan.at++];

    std::size_t digits = scan.TakeDigits(number);
    if (scan.Peek() == '.') {
        number += '.';
        ++scan.at;
        digits += scan.TakeDigits(number);
    }
    if (digits == 0)
        return {};

    // An exponent belongs to the number only when at least one digit follows "e" and its sign.
    if (scan.Peek() == 'e' || scan.Peek() == 'E') {
        Scanner exponent = scan;
        std::string part = "e";
        ++exponent.at;
        if (exponent.Peek() == '+' || exponent.Peek() == '-')
            part += text[exponent.at++];
        if (exponent.TakeDigits(part) > 0)
            number += part;
    }
    return number;
}

} // namespace

double ReadDouble(std::string_view text)
{
    const std::string number = DecimalPrefix(text);
    if (number.empty())
        return 0.0;
    // strtod converts any length of digits and any exponent correctly rounded; out of range
    // it gives ±HUGE_VAL (infinity) or a denormal/zero, which is the answer wanted here.
    return strtod_l(number.c_str(), nullptr, CLocale());
}

float ReadFloat(std::string_view text)
{
    return static_cast<float>(ReadDouble(text));
}

int ReadInt(std::string_view text)
{
    Scanner scan{text};
    scan.SkipBlanks();

    bool negative = false;
    if (scan.Peek() == '+' || scan.Peek() == '-')
        negative = text[scan.at++] == '-';

    // Accumulate towards the sign's end of the range so that INT_MIN needs no special case.
    int value = 0;
    while (!scan.AtEnd() && IsDigit(scan.Peek())) {
        const int digit = scan.Peek() - '0';
        ++scan.at;
        if (negative) {
            if (value < (INT_MIN + digit) / 10)
                return INT_MIN;
            value = value * 10 - digit;
        } else {
            if (value > (INT_MAX - digit) / 10)
                return INT_MAX;
            value = value * 10 + digit;
        }
    }
    return value;
}

} // namespace tw
