#pragma once
#include <string_view>

namespace tw {

// The numbered validation messages that the field readers show. The table itself is
// defined in resources/messages.tsv. An unknown number gives an empty text.
std::string_view ValidationMessage(int id);

} // namespace tw
