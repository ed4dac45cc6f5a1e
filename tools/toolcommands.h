#pragma once

namespace tw::commands {

// The command numbers of the menu, the accelerators and the toolbar that open tools.
inline constexpr int kMortgage = 108;
inline constexpr int kInflation = 177;
inline constexpr int kTradeOff = 179;
inline constexpr int kTaxes = 180;
inline constexpr int kCreditCard = 467;
inline constexpr int kLoan = 881;
inline constexpr int kRefinance = 882;
inline constexpr int kAccelerated = 883;
inline constexpr int kLoanSolver = 885;
inline constexpr int kEffectiveRate = 886;

} // namespace tw::commands
