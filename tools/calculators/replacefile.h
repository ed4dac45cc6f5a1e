#pragma once
#include <string>
#include <string_view>

namespace tw {

// Writes text to the file path (as the platform's text: "\n" line ends) so that the file is
// either the whole new text or what it was before: the text goes to a new file beside it,
// which then takes the old one's place. Returns false, leaving nothing new behind, when
// any step fails.
bool ReplaceFile(const std::string& path, std::string_view text);

} // namespace tw
