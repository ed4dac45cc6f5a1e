#include "platform/qt/windowsystemstart.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace tw {

namespace {

constexpr std::string_view kWithoutDisplay =
    "; run the calculators without a display with: twtools script FILE";

// The text between the first pair of double quotes after marker in line, if marker is there.
bool QuotedAfter(std::string_view line, std::string_view marker, std::string& quoted)
{
    const std::size_t at = line.find(marker);
    if (at == std::string_view::npos)
        return false;
    const std::size_t open = line.find('"', at + marker.size());
    const std::size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    quoted = close == std::string_view::npos ? std::string()
                                             : std::string(line.substr(open + 1, close - open - 1));
    return true;
}

// "minimal, linuxfb, offscreen, xcb" from Qt's last word on the failure, if it gave the list.
std::string Available(const std::vector<std::string>& said)
{
    constexpr std::string_view marker = "Available platform plugins are: ";
    for (const std::string& line : said) {
        const std::size_t at = line.find(marker);
        if (at == std::string::npos)
            continue;
        std::string list = line.substr(at + marker.size());
        const std::size_t end = list.find_first_of(".\n");
        return end == std::string::npos ? list : list.substr(0, end);
    }
    return {};
}

std::vector<std::string>& Held()
{
    static std::vector<std::string> held;
    return held;
}

QtMessageHandler& Previous()
{
    static QtMessageHandler previous = nullptr;
    return previous;
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    Held().push_back(qFormatLogMessage(type, context, message).toStdString());
    if (type != QtFatalMsg)
        return;
    const char* display = std::getenv("DISPLAY");
    const std::string line = WindowSystemFailureLine(Held(), display == nullptr ? "" : display);
    std::fputs(line.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    // Qt would abort now; nothing of the half-made application may run its destructors.
    std::_Exit(1);
}

} // namespace

std::string WindowSystemFailureLine(const std::vector<std::string>& said, std::string_view display)
{
    std::string cause;
    std::string name;
    for (const std::string& line : said) {
        if (line.find("could not connect to display") != std::string::npos) {
            cause = display.empty() ? "cannot open a display (DISPLAY is unset)"
                                    : "cannot open the display \"" + std::string(display) + "\"";
            break;
        }
        if (QuotedAfter(line, "Could not find the Qt platform plugin", name)) {
            cause = "there is no window system platform \"" + name + "\"";
            const std::string available = Available(said);
            if (!available.empty())
                cause += " (there are: " + available + ")";
            break;
        }
    }
    if (cause.empty())
        cause = "the window system cannot be started";
    return "twtools: " + cause + std::string(kWithoutDisplay);
}

WindowSystemStart::WindowSystemStart()
{
    Held().clear();
    Previous() = qInstallMessageHandler(Hold);
}

WindowSystemStart::~WindowSystemStart()
{
    qInstallMessageHandler(Previous());
    // Started: what Qt said on the way goes out as it would have.
    for (const std::string& line : Held()) {
        std::fputs(line.c_str(), stderr);
        std::fputc('\n', stderr);
    }
    Held().clear();
}

} // namespace tw
