#pragma once
// Choice lists (a drop-down of fixed items) as both hosts read and set them: the control's
// text is its chosen item, and setting a text chooses an item.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tw {

// The item a text chooses: the first item that is the text, or that begins with the text
// followed by a blank, so that "26" chooses "26 (every two weeks)". Nothing when no item
// matches, or for an empty text.
std::optional<std::size_t> FindChoice(std::span<const std::string> items, std::string_view text);

} // namespace tw
