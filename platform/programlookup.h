#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct ProgramStart
{
    std::string program;                // full path of the executable found
    std::vector<std::string> arguments; // passed as a list, never through a shell
};

// Resolves a command line "NAME.exe ARGS": the first found of NAME.exe, then NAME, in
// programDir (the program's own directory) and then in each directory of searchPath (a
// PATH value). "calc.exe" falls back to the desktop's calculator (gnome-calculator, kcalc,
// galculator, mate-calc, qalculate-gtk, xcalc, the first found on searchPath). Arguments are
// split at blanks. Nothing when no program is found.
std::optional<ProgramStart> FindProgram(std::string_view commandLine, const std::string& programDir,
                                        std::string_view searchPath);

// The directory of the running executable, and the PATH of the environment.
std::string OwnProgramDirectory();
std::string EnvironmentPath();

} // namespace tw
