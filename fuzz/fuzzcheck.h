#pragma once
// What every fuzz target here does when an input breaks a property: say which and abort, so
// that libFuzzer keeps the input as a crash.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tw::fuzz {

[[noreturn]] inline void Broken(std::string_view what, std::string_view detail = {})
{
    std::fprintf(stderr, "property broken: %.*s\n%.*s\n", static_cast<int>(what.size()),
                 what.data(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void Require(bool condition, std::string_view what, std::string_view detail = {})
{
    if (!condition)
        Broken(what, detail);
}

} // namespace tw::fuzz
