#pragma once
#include <optional>
#include <span>
#include <string>
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

// What a start asks for besides the switches. The options are whole arguments in lower case,
// so none of them can hold an upper-case switch; the switches are still read from the whole
// command line, options included. Other arguments are left to the switches (and to Qt).
struct StartRequest
{
    bool help = false;         // --help or -h: the usage text, nothing else
    bool version = false;      // --version
    bool inDataFolder = false; // --xdg-data: work in the user's data folder (datafolder.h)
    bool script = false;       // "script" as the first argument that is not an option
    std::optional<std::string> scriptFile; // the argument after "script"
};

inline constexpr std::string_view kDataFolderOption = "--xdg-data";

// The arguments without the program's name (argv + 1).
StartRequest ReadArguments(std::span<char* const> arguments);

// The texts of --help and --version, each ending in a newline.
std::string UsageText();
std::string VersionText();

} // namespace tw
