#include "platform/choicelist.h"

namespace tw {

std::optional<std::size_t> FindChoice(std::span<const std::string> items, std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view item = items[i];
        if (item == text || (item.size() > text.size() && item.substr(0, text.size()) == text &&
                             item[text.size()] == ' '))
            return i;
    }
    return std::nullopt;
}

} // namespace tw
