#pragma once
// What a run of the script host must never show, whatever was typed: a number printed as
// inf or nan in a field or a table row. A text the session typed itself ("nan" into a name
// field, say) is shown back as typed, or cut to the field's length, and does not count.

#include <set>
#include <string>
#include <string_view>

namespace tw::soak {

// Whether text holds inf or nan as printf writes them, standing alone (not inside a word such
// as "Information").
inline bool ShowsInfOrNan(std::string_view text)
{
    const auto letter = [](char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; };
    for (std::size_t at = 0; at + 3 <= text.size(); ++at) {
        std::string word(text.substr(at, 3));
        for (char& c : word)
            c = static_cast<char>(c | 0x20);
        if (word != "inf" && word != "nan")
            continue;
        const bool before = at > 0 && letter(text[at - 1]);
        const std::size_t after = at + 3;
        const bool inWord = after < text.size() && letter(text[after]) &&
                            !(word == "inf" && text.substr(after, 5) == "inity");
        if (!before && !inWord)
            return true;
    }
    return false;
}

// Whether text is one of the typed texts or the start of one.
inline bool TypedAs(std::string_view text, const std::set<std::string>& typed)
{
    // The texts that start with text follow it directly in the set's order.
    const auto at = typed.lower_bound(std::string(text));
    return at != typed.end() && at->compare(0, text.size(), text) == 0;
}

// The first output line that shows inf or nan where the session did not type it; empty when
// there is none. Fields of the output are separated by tabs, the texts escaped.
inline std::string FirstInfOrNanLine(std::string_view output, const std::set<std::string>& typed)
{
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string_view::npos)
            end = output.size();
        const std::string_view line = output.substr(start, end - start);
        start = end + 1;
        const bool field = line.substr(0, 6) == "field\t";
        const bool row = line.substr(0, 4) == "row\t";
        if (!field && !row)
            continue;
        // A field line is field, id, text; a row line is row and its cells.
        std::size_t at = field ? line.find('\t', 6) : 3;
        while (at != std::string_view::npos && at < line.size()) {
            const std::size_t next = line.find('\t', at + 1);
            const std::string_view cell = line.substr(
                at + 1, next == std::string_view::npos ? std::string_view::npos : next - at - 1);
            if (ShowsInfOrNan(cell) && !TypedAs(cell, typed))
                return std::string(line);
            at = next;
        }
    }
    return {};
}

} // namespace tw::soak
