#pragma once
// The graph programs twref and twtplot: their command line and start-up. They use the chart
// library (charts/) and nothing of the suite's forms.

#include <string>
#include <vector>

namespace tw {

struct GraphCommandLine
{
    enum class Action { Window, Output, Help, Version, Error };
    Action action = Action::Error;
    std::string file;
    std::string output;
    int width = 800; // the chart's own pixels; a 2x screen gives twice as many in a PNG
    int height = 500;
    std::string error; // for Action::Error: what is wrong, one line
};

inline constexpr int kSmallestChart = 160;
inline constexpr int kLargestChart = 10000;

// `FILE`, `--output OUT.png|OUT.svg|OUT.pdf [--size WxH] FILE`, `--help`, `--version`
// (options also as --name=value; "--" ends the options). arguments excludes the program name.
GraphCommandLine ParseGraphCommandLine(const std::vector<std::string>& arguments);

// The text of --help for program ("twref"), whose files are like defaultFile ("ref.tmp").
std::string GraphUsage(const std::string& program, const std::string& summary,
                       const std::string& defaultFile);

} // namespace tw
