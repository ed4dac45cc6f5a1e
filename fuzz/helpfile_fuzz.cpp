// Any text as a help file: every page found is reachable as the reader says, and its lines
// come from the text.

#include "fuzz/fuzzcheck.h"
#include "platform/helpfile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using tw::fuzz::Require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tw::HelpFile file = tw::ParseHelpFile(text);
    std::size_t held = 0;
    for (const tw::HelpPage& page : file.topics) {
        const tw::HelpPage* found = file.topic(page.context);
        Require(found != nullptr && found->context == page.context,
                "every topic is found by its context number");
        held += page.body.size();
        Require(page.body.empty() || page.body.back() != '\n', "a body ends with its last line");
    }
    if (file.contents)
        held += file.contents->body.size();
    if (file.helpOnHelp)
        held += file.helpOnHelp->body.size();
    Require(held <= text.size(), "the pages hold no more than the text");
    return 0;
}
