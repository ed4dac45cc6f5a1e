// Any bytes as a script for the whole program without a window: the shell with every tool,
// the script host and its printers, in one process, in a directory of its own. Besides the
// sanitizers it fails on a number shown as inf or nan, and on an exit code other than 0 or 2.

#include "fuzz/fuzzcheck.h"
#include "platform/script/scripthost.h"
#include "platform/script/scriptstep.h"
#include "shell/shell.h"
#include "tests/soak/sessioncheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path& WorkDirectory()
{
    static std::filesystem::path directory;
    return directory;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Every file the tools and the steps write lands here, never beside the corpus.
    char name[] = "/tmp/twtools-fuzz-XXXXXX";
    if (::mkdtemp(name) == nullptr || ::chdir(name) != 0)
        std::abort();
    WorkDirectory() = name;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // No step may name a file outside the directory: slashes are taken out of every line.
    std::string script;
    script.reserve(size);
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] != '/')
            script += static_cast<char>(data[i]);

    std::set<std::string> typed;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        const tw::ParsedStep parsed = tw::ParseScriptStep(line);
        if (parsed.step && parsed.step->verb == tw::StepVerb::Set)
            typed.insert(parsed.step->text);
    }

    // Each input starts in an empty directory, as a fresh run would.
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(WorkDirectory(), error))
        std::filesystem::remove_all(entry.path(), error);

    std::ostringstream out;
    tw::ScriptHost host(out);
    tw::Shell shell(host, host, tw::StartupOptions{});
    host.setMainWindow(&shell);
    std::istringstream in(script);
    const int code = host.run(in);
    tw::fuzz::Require(code == 0 || code == 2, "exit code 0 or 2");
    const std::string shown = tw::soak::FirstInfOrNanLine(out.str(), typed);
    tw::fuzz::Require(shown.empty(), "no number shown as inf or nan", shown);
    return 0;
}
