#pragma once
// The application shell: start-up, the main window, command dispatch with its open-tool guard
// and record slot, the About box and the placement file. It may use every layer below it
// (tools, platform, finance); nothing below includes it.

namespace tw::commands {

// Command numbers of the menu, accelerators and toolbar.
inline constexpr int kExit = 5;
inline constexpr int kAbout = 6;
inline constexpr int kHelpContents = 104;
inline constexpr int kHelpOnHelp = 105;
inline constexpr int kMortgage = 108;
inline constexpr int kFind = 112;
inline constexpr int kInflation = 177;
inline constexpr int kCopy = 178;
inline constexpr int kTradeOff = 179;
inline constexpr int kTaxes = 180;
inline constexpr int kPrintGraph = 403;
inline constexpr int kOptions = 405;
inline constexpr int kPageSetup = 406;
inline constexpr int kCreditCard = 467;
inline constexpr int kWebsite = 671;
inline constexpr int kLoan = 881;
inline constexpr int kRefinance = 882;
inline constexpr int kAccelerated = 883;
inline constexpr int kCalculator = 884;
inline constexpr int kEffectiveRate = 886;
inline constexpr int kEmail = 887;
inline constexpr int kPaste = 890;
inline constexpr int kRule72T = 945;

} // namespace tw::commands
