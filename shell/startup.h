#pragma once
#include <string_view>

namespace tw {

struct StartupOptions
{
    bool lighter = false; // lighter band colours in the schedule tables
};

// Each switch is looked for as a case-sensitive substring anywhere in the command line, so
// "-LIGHTER", "/LIGHTER" and "XLIGHTERX" all count. "IDON", "DARKER" and "SUMMARY" are
// recognised and change nothing.
StartupOptions ParseSwitches(std::string_view commandLine);

} // namespace tw
