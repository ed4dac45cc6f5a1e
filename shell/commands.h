#pragma once
// The application shell: start-up, the main window, command dispatch with its open-tool guard
// and record slot, the About box and the placement file. It may use every layer below it
// (tools, platform, finance); nothing below includes it.

#include "tools/toolcommands.h"

namespace tw::commands {

// Command numbers of the menu, accelerators and toolbar; those that open a tool are with the
// tools.
inline constexpr int kExit = 5;
inline constexpr int kAbout = 6;
inline constexpr int kHelpContents = 104;
inline constexpr int kHelpOnHelp = 105;
inline constexpr int kFind = 112;
inline constexpr int kCopy = 178;
inline constexpr int kPrintGraph = 403;
inline constexpr int kOptions = 405;
inline constexpr int kPageSetup = 406;
inline constexpr int kWebsite = 671;
inline constexpr int kCalculator = 884;
inline constexpr int kEmail = 887;
inline constexpr int kPaste = 890;
inline constexpr int kRule72T = 945;

} // namespace tw::commands
