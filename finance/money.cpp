#include "finance/money.h"

#include "finance/words.h"

namespace tw {

namespace {

bool IsNumberCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '$';
}

} // namespace

std::string StripToNumber(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (IsBlank(c))
            continue;
        if (!IsNumberCharacter(c))
            break;
        result += c;
    }
    return result;
}

// The money text is "$", the sign, the integer digits grouped by threes from the decimal point
// leftwards, then the point and everything after it as it stands. Texts that are not a
// printed number still give a well-defined result: without a point the whole text is the
// integer part; the sign is written once however many "-" stand before the point; a "$"
// there is dropped, since the result supplies its own; an empty text gives "$".
std::string FormatMoney(std::string_view text)
{
    const std::string number = StripToNumber(text);
    const std::size_t point = number.find('.');
    const std::string_view integerPart = std::string_view(number).substr(0, point);
    const std::string_view rest =
        point == std::string::npos ? std::string_view() : std::string_view(number).substr(point);

    bool negative = false;
    std::string digits;
    for (const char c : integerPart) {
        if (c == '-')
            negative = true;
        else if (c != '$')
            digits += c;
    }

    std::string result = "$";
    if (negative)
        result += '-';
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            result += ',';
        result += digits[i];
    }
    result += rest;
    return result;
}

} // namespace tw
