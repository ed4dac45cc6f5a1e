// Any line as a script step: the parser gives a step or a reason, never both or neither, and
// the step's texts come from the line itself.

#include "fuzz/fuzzcheck.h"
#include "platform/script/scriptstep.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using tw::fuzz::Require;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const bool filler = tw::IsScriptFiller(line);
    const tw::ParsedStep parsed = tw::ParseScriptStep(line);
    Require(parsed.step.has_value() != !parsed.error.empty(), "a step or a reason", line);
    if (parsed.step) {
        Require(!filler, "a blank or comment line is no step", line);
        Require(line.find(parsed.step->text) != std::string_view::npos || parsed.step->text.empty(),
                "the text of a step is taken from its line", line);
        Require(parsed.step->text.size() <= line.size(), "the text is no longer than the line");
    }
    return 0;
}
