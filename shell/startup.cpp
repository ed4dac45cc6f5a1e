#include "shell/startup.h"

namespace tw {

StartupOptions ParseSwitches(std::string_view commandLine)
{
    StartupOptions options;
    options.lighter = commandLine.find("LIGHTER") != std::string_view::npos;
    return options;
}

StartRequest ReadArguments(std::span<char* const> arguments)
{
    StartRequest request;
    int others = 0;
    for (const char* argument : arguments) {
        const std::string_view word(argument);
        if (word == "--help" || word == "-h") {
            request.help = true;
        } else if (word == "--version") {
            request.version = true;
        } else if (word == kDataFolderOption) {
            request.inDataFolder = true;
        } else {
            // A script's file comes right after the word "script", options aside.
            if (others == 0 && word == "script")
                request.script = true;
            else if (others == 1 && request.script)
                request.scriptFile = std::string(word);
            ++others;
        }
    }
    return request;
}

std::string UsageText()
{
    return "Usage: twtools [--xdg-data] [LIGHTER]\n"
           "       twtools [--xdg-data] script [FILE]\n"
           "Household-finance calculators: mortgage, payoff schedule, refinance, loan,\n"
           "accelerated payments, inflation, taxes and investment, effective yearly rate,\n"
           "credit-card payoff and trade-off analysis.\n"
           "\n"
           "Without arguments the main window opens. The calculators write their files\n"
           "(psched.tmp, refprt.tmp, ref.tmp, trade.tmp, tradeinf.dat, prefinf.dat,\n"
           "rpage1 ...) into the working directory.\n"
           "\n"
           "  script [FILE]  run the calculators without a window, one step a line read\n"
           "                 from FILE, or from standard input when FILE is - or missing\n"
           "  --xdg-data     keep the files in $XDG_DATA_HOME/twtools (by default\n"
           "                 ~/.local/share/twtools), created when missing, instead of the\n"
           "                 working directory; the desktop menu starts the program so\n"
           "  LIGHTER        lighter band colour in the schedule tables (in capitals,\n"
           "                 anywhere on the command line)\n"
           "  -h, --help     show this text and exit\n"
           "  --version      show the version and exit\n"
           "\n"
           "The manual page twtools(1) lists the script steps and their output.\n";
}

std::string VersionText()
{
    return "twtools (Tarrow Financial Tool Set) " TW_VERSION "\n"
           "Copyright (C) 2026 Tarrow Software\n"
           "MIT License: free to use, change and pass on; there is NO WARRANTY.\n";
}

} // namespace tw
