#pragma once
// Reading and checking what the user gives, the same for the command line and the window:
// the fields in the order of the form, each read from its text and checked against its rule,
// the first failure reported with a message that says what is allowed.

#include "rule72t/distributions.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tw::rule72t {

// The form's fields, in its order (and in the order they are checked).
enum class Field {
    Balance,
    Born,
    Start,
    Table,
    BeneficiaryBorn,
    Rate,
    MidTerm,
    PaymentsPerYear,
    Growth,
};

inline constexpr Money kLargestBalance = 1e9;
inline constexpr Percent kLargestMidTerm = 25.0;
inline constexpr Percent kLeastGrowth = -50.0;
inline constexpr Percent kLargestGrowth = 50.0;
inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2199;

// The texts as typed; an empty text is a field left empty.
struct InputTexts
{
    std::string balance;
    std::string born;
    std::string start;
    std::string table = "single"; // "uniform", "single" or "joint"
    std::string beneficiaryBorn;
    std::string rate;
    std::vector<std::string> midTerm; // none, one or two
    std::string paymentsPerYear = "1";
    std::string growth = "0";
};

struct Problem
{
    Field field;
    std::string message;  // one sentence, without the field's option or label
    std::size_t item = 0; // for the mid-term rates, which of them
};

// A decimal number, blanks around it allowed, in any locale "4.5"; nothing else.
std::optional<double> ReadNumber(std::string_view text);
// "YYYY-MM" with a year from 1900 to 2199.
std::optional<Month> ReadMonth(std::string_view text);
std::optional<LifeTable> ReadTable(std::string_view text);

// The input read and checked field by field, or the first field that fails its rule. The
// rate's cap is checked once the mid-term rates it depends on are read.
std::variant<DistributionInput, Problem> ReadInput(const InputTexts& texts);

} // namespace tw::rule72t
