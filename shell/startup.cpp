#include "shell/startup.h"

namespace tw {

StartupOptions ParseSwitches(std::string_view commandLine)
{
    StartupOptions options;
    options.lighter = commandLine.find("LIGHTER") != std::string_view::npos;
    return options;
}

} // namespace tw
