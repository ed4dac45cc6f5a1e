#include "platform/helpfile.h"

#include <charconv>

namespace tw {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// "@word rest": rest when line starts with the directive as a whole word, else nothing.
std::optional<std::string_view> Directive(std::string_view line, std::string_view word)
{
    if (line.substr(0, word.size()) != word)
        return std::nullopt;
    const std::string_view rest = line.substr(word.size());
    if (!rest.empty() && !IsSpace(rest.front()))
        return std::nullopt;
    return Trim(rest);
}

// A context number is a whole positive number that fits an int; 0 belongs to the contents.
std::optional<int> ContextNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0)
        return std::nullopt;
    return value;
}

std::string JoinBody(const std::vector<std::string_view>& lines)
{
    std::size_t first = 0;
    std::size_t last = lines.size();
    while (first < last && Trim(lines[first]).empty())
        ++first;
    while (last > first && Trim(lines[last - 1]).empty())
        --last;
    std::string body;
    for (std::size_t i = first; i < last; ++i) {
        if (i > first)
            body += '\n';
        body += lines[i];
    }
    return body;
}

enum class Section { None, Contents, HelpOnHelp, Topic, Skipped };

} // namespace

const HelpPage* HelpFile::topic(int context) const
{
    for (const HelpPage& page : topics) {
        if (page.context == context)
            return &page;
    }
    return nullptr;
}

HelpFile ParseHelpFile(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());

    HelpFile file;
    Section section = Section::None;
    HelpPage page;
    std::vector<std::string_view> lines;

    auto finish = [&] {
        page.body = JoinBody(lines);
        switch (section) {
        case Section::Contents:
            file.contents = std::move(page);
            break;
        case Section::HelpOnHelp:
            file.helpOnHelp = std::move(page);
            break;
        case Section::Topic:
            file.topics.push_back(std::move(page));
            break;
        case Section::None:
        case Section::Skipped:
            break;
        }
        page = HelpPage{};
        lines.clear();
    };

    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (line.substr(0, 1) == "#")
            continue;
        if (auto title = Directive(line, "@contents")) {
            finish();
            // A second contents page would silently replace the first; the first one stands.
            section = file.contents ? Section::Skipped : Section::Contents;
            page.title = std::string(*title);
        } else if (auto title = Directive(line, "@helponhelp")) {
            finish();
            section = file.helpOnHelp ? Section::Skipped : Section::HelpOnHelp;
            page.title = std::string(*title);
        } else if (auto rest = Directive(line, "@topic")) {
            finish();
            const std::size_t blank = rest->find_first_of(" \t");
            const std::string_view number = rest->substr(0, blank);
            const auto context = ContextNumber(number);
            // A topic without a usable number cannot be reached; its lines are dropped
            // rather than appended to the page above.
            section = context ? Section::Topic : Section::Skipped;
            page.context = context.value_or(0);
            if (blank != std::string_view::npos)
                page.title = std::string(Trim(rest->substr(blank)));
        } else if (section != Section::None) {
            lines.push_back(line);
        }
    }
    finish();
    return file;
}

} // namespace tw
