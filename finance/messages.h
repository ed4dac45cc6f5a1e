#pragma once
#include <string_view>

namespace tw {

// The numbered validation messages that the field readers show. The table itself is
// defined in resources/messages.tsv. An unknown number gives an empty text.
std::string_view ValidationMessage(int id);

// The numbers of the messages in use, named by what they say; every form names them from here.
inline constexpr int kAmountMessage = 2; // "This amount must be greater than 0.00 and less …"
inline constexpr int kAgeMessage = 3;    // "This age must be between 1 and 120.0."
inline constexpr int kYearsMessage = 5;  // "The number of years must be between 1 and 100."
inline constexpr int kRateMessage = 6;   // "Loan/Mortgage rates must be greater than 0.0 …"
inline constexpr int kAgeOneMessage = 7; // "This age must be between 1.0 and 120.0."

} // namespace tw
