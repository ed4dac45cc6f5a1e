#pragma once
// twrule11's command line: no arguments open the window; the options print the report for
// scripts, without a display. No Qt here, so that --help, --version and the report run
// before (and without) any window system.

#include "rule72t/inputcheck.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tw::rule72t {

struct CommandLine
{
    enum class Action { Window, Report, Help, Version, Error };
    Action action = Action::Window;
    InputTexts texts;
    bool csv = false;
    std::string error; // for Action::Error: one line, naming the option
};

// `--balance B --born YYYY-MM --start YYYY-MM [--table uniform|single|joint
// --beneficiary-born YYYY-MM] --rate R [--mid-term R1,R2] [--per-year N] [--growth G]
// [--csv]`, `--help`, `--version`; options also as --name=value. arguments excludes the
// program name. The values are read and checked only by RunReport.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The option that gives a field ("--balance").
std::string_view OptionOf(Field field);

std::string Usage();

// Reads and checks the texts, then writes the report (text or CSV) to out and returns 0; or
// writes one line to err, "twrule11: --rate: The interest rate may be at most …", and
// returns 2.
int RunReport(const CommandLine& line, std::ostream& out, std::ostream& err);

} // namespace tw::rule72t
