#include "graphs/commandline.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tw {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& ending)
{
    if (text.size() < ending.size())
        return false;
    return std::equal(ending.begin(), ending.end(), text.end() - static_cast<long>(ending.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

bool ParseDimension(std::string_view text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           value >= kSmallestChart && value <= kLargestChart;
}

GraphCommandLine Fail(std::string why)
{
    GraphCommandLine line;
    line.action = GraphCommandLine::Action::Error;
    line.error = std::move(why);
    return line;
}

} // namespace

GraphCommandLine ParseGraphCommandLine(const std::vector<std::string>& arguments)
{
    GraphCommandLine line;
    bool sizeGiven = false;
    bool outputGiven = false;
    std::vector<std::string> files;
    bool options = true;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!options || argument.empty() || argument[0] != '-' || argument == "-") {
            files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            options = false;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            line.action = GraphCommandLine::Action::Help;
            return line;
        }
        if (argument == "--version") {
            line.action = GraphCommandLine::Action::Version;
            return line;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (name != "--output" && name != "--size")
            return Fail("unknown option " + argument);
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return Fail(name + " needs a value");
        }

        if (name == "--output") {
            if (value.empty())
                return Fail("--output needs a file name");
            if (!EndsWithNoCase(value, ".png") && !EndsWithNoCase(value, ".svg") &&
                !EndsWithNoCase(value, ".pdf"))
                return Fail("the output file must end in .png, .svg or .pdf: " + value);
            line.output = value;
            outputGiven = true;
        } else {
            const std::size_t x = value.find_first_of("xX");
            if (x == std::string::npos ||
                !ParseDimension(std::string_view(value).substr(0, x), line.width) ||
                !ParseDimension(std::string_view(value).substr(x + 1), line.height))
                return Fail("--size must be WIDTHxHEIGHT, each " + std::to_string(kSmallestChart) +
                            " to " + std::to_string(kLargestChart) + ": " + value);
            sizeGiven = true;
        }
    }

    if (files.empty())
        return Fail("no graph file given");
    if (files.size() > 1)
        return Fail("one graph file only, not " + std::to_string(files.size()));
    if (sizeGiven && !outputGiven)
        return Fail("--size goes with --output");
    line.file = files.front();
    line.action = outputGiven ? GraphCommandLine::Action::Output : GraphCommandLine::Action::Window;
    return line;
}

std::string GraphUsage(const std::string& program, const std::string& summary,
                       const std::string& defaultFile)
{
    return "Usage: " + program +
           " FILE\n"
           "       " +
           program +
           " --output OUT.png|OUT.svg|OUT.pdf [--size WxH] FILE\n"
           "\n" +
           summary +
           "\n"
           "\n"
           "  FILE               the graph file, as the suite writes it (" +
           defaultFile +
           ")\n"
           "  --output OUT       draw the chart into OUT without opening a window (no display\n"
           "                     needed): a PNG or SVG image or a PDF document, by its ending\n"
           "  --size WxH         the chart's size in pixels, 800x500 unless given; a PNG holds\n"
           "                     as many pixels times the screen's scale (QT_SCALE_FACTOR),\n"
           "                     at most 10000 a side\n"
           "  --help, --version  this text, the version\n"
           "\n"
           "In the window: the crosshair shows each curve's value at the point nearest the\n"
           "pointer; the mouse wheel or a dragged rectangle zooms, a double click or Home shows\n"
           "all; clicking a legend entry hides or shows its curve; Ctrl+S saves, Ctrl+P prints,\n"
           "Ctrl+C copies the chart, Escape or Ctrl+Q closes. The chart is drawn again whenever\n"
           "FILE changes.\n"
           "\n"
           "Exit status: 0 when the chart was shown or written, 1 when FILE cannot be read or\n"
           "drawn (the message names the file and the line), 2 for a wrong command line.\n";
}

} // namespace tw
