#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The help file is plain text a person can edit:
//   # a comment line (ignored)
//   @contents TITLE         starts the contents page
//   @topic NUMBER TITLE     starts the topic shown for a context number
//   @helponhelp TITLE       starts the page on using the help window
// Every other line belongs to the page above it; a blank line separates paragraphs, and a
// line starting with "- " is an item of a list.
struct HelpPage
{
    int context = 0; // 0 for the contents and the help on help
    std::string title;
    std::string body; // the page's lines as written, trimmed of blank lines at either end
};

struct HelpFile
{
    std::optional<HelpPage> contents;
    std::optional<HelpPage> helpOnHelp;
    std::vector<HelpPage> topics; // in file order

    const HelpPage* topic(int context) const;
};

HelpFile ParseHelpFile(std::string_view text);

} // namespace tw
