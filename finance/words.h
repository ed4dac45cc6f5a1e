#pragma once
#include <string_view>
#include <vector>

namespace tw {

// The program's own files and command lines separate their words with spaces and tabs only:
// a line end or any other control character is part of a word (and so is found wrong by
// whoever reads the word), never a separator.
constexpr bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The text without the blanks at either end.
std::string_view TrimBlanks(std::string_view text);

// The words of text, in order; runs of blanks count as one separator and blanks at the ends
// make no empty words. The views point into text.
std::vector<std::string_view> SplitAtBlanks(std::string_view text);

} // namespace tw
