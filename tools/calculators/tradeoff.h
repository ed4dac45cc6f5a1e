#pragma once
#include "finance/precision.h"

#include <array>
#include <string>

namespace tw {

struct TradeOption
{
    std::string name; // an option with an empty name is left out of the graph file
    Money fixedCost = 0;
    Money costPerPeriod = 0;
    Money fixedAmount = 0; // received once
    Money incomePerPeriod = 0;
};

struct TradeInput
{
    std::array<TradeOption, 3> options;
    float periods = 0; // used truncated toward zero; kept whole only for the saved inputs
};

struct TradeResult
{
    std::array<Money, 3> endAmounts{};
    // |E1 − E2|, |E2 − E3|, |E1 − E3|: shown but never stored, so they keep the extended
    // value (as a double, the way a formatted print receives it).
    std::array<double, 3> differences{};
    bool finite = true; // false when an amount lies beyond the float range
};

// E = fixed amount − fixed cost, then trunc(periods) times E = (income − cost) + E, each
// period's sum stored as a float; no period at all when trunc(periods) ≤ 0.
TradeResult CompareTradeOffs(const TradeInput& input);

// The end amount of one option after periods periods: E = fixed amount − fixed cost, then
// periods times E = (income − cost) + E, each sum stored as a float. The same float as the
// walk period by period, found in a few thousand periods at most for any count, so a
// huge period count costs no more than a small one. walked, when given, receives the number
// of periods summed one by one, so that the bound can be held to.
Money TradeEndAmount(const TradeOption& option, int periods, long long* walked = nullptr);

// The walk itself, period by period (it stops early only once a period changes nothing):
// the reference TradeEndAmount is held to.
Money TradeEndAmountByPeriods(const TradeOption& option, int periods);

// The graph file is only written for this many periods (after truncation).
inline constexpr int kGraphMinPeriods = 3;
inline constexpr int kGraphMaxPeriods = 100;

// The text of the graph file for the graph program: a fixed head, periods + 2, the names
// of the named options, then for each row r = 0 … n + 1 one "0.0" line per named option
// and the line "r E… " holding each named option's value after r periods; "Done" twice.
// The caller has checked that trunc(periods) lies in 3 to 100.
std::string TradeGraphText(const TradeInput& input);

// The text of the saved inputs: the three names, the twelve amounts, the periods as typed
// (not truncated), then two zeros.
std::string TradeInputsText(const TradeInput& input);

} // namespace tw
