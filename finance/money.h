#pragma once
#include <string>
#include <string_view>

namespace tw {

// Removes every blank, then ends the text at the first character that is not a digit,
// ".", "-" or "$".
std::string StripToNumber(std::string_view text);

// Rewrites a number printed with two decimals as money: "$", the sign if any, the integer
// digits grouped by threes with commas, then the point and the decimals unchanged.
// " 1234567.89 " gives "$1,234,567.89", "-1234.50" gives "$-1,234.50". Any length.
std::string FormatMoney(std::string_view text);

} // namespace tw
