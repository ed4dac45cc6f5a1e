// Any bytes as a Designer file for the script host's reader: it reads or refuses, within the
// stack and the memory, and what it reads is consistent.

#include "fuzz/fuzzcheck.h"
#include "platform/script/dialogresource.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using tw::fuzz::Require;
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    const std::optional<tw::DialogResource> dialog = tw::ParseDialogResource(xml);
    if (!dialog)
        return 0;
    Require(dialog->controls.size() <= size, "no more controls than bytes");
    for (const tw::DialogControl& control : dialog->controls) {
        Require(control.parent >= 0, "a control sits in a widget");
        Require(control.text.size() <= size, "a text is no longer than the file");
    }
    return 0;
}
