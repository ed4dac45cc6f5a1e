#include "tools/calculators/tradeoff.h"

#include "finance/format.h"
#include "tools/calculators/truncatecount.h"

#include <cmath>
#include <vector>

namespace tw {

namespace {

Money StartingValue(const TradeOption& option)
{
    return StoreFloat(Extended{option.fixedAmount} - option.fixedCost);
}

// One period: the net income of the period is not stored on its own, only the new value.
Money AfterPeriod(const TradeOption& option, Money value)
{
    return StoreFloat(Extended{option.incomePerPeriod} - option.costPerPeriod + value);
}

Money EndAmount(const TradeOption& option, int periods)
{
    Money value = StartingValue(option);
    for (int period = 0; period < periods; ++period) {
        const Money next = AfterPeriod(option, value);
        // Once a period no longer changes the value, no later one will: a huge period
        // count then ends at once with the same amount.
        if (next == value || std::isnan(next))
            return next;
        value = next;
    }
    return value;
}

} // namespace

TradeResult CompareTradeOffs(const TradeInput& input)
{
    TradeResult result;
    const int periods = TruncateCount(input.periods);
    for (std::size_t k = 0; k < input.options.size(); ++k)
        result.endAmounts[k] = EndAmount(input.options[k], periods);

    const auto difference = [&](std::size_t a, std::size_t b) {
        return static_cast<double>(
            std::fabs(Extended{result.endAmounts[a]} - Extended{result.endAmounts[b]}));
    };
    result.differences = {difference(0, 1), difference(1, 2), difference(0, 2)};

    for (Money amount : result.endAmounts)
        result.finite = result.finite && std::isfinite(amount);
    for (double d : result.differences)
        result.finite = result.finite && std::isfinite(d);
    return result;
}

std::string TradeGraphText(const TradeInput& input)
{
    int periods = TruncateCount(input.periods);
    if (periods > kGraphMaxPeriods) // outside what the caller may pass; keeps the rows finite
        periods = kGraphMaxPeriods;
    std::vector<const TradeOption*> named;
    for (const TradeOption& option : input.options)
        if (!option.name.empty())
            named.push_back(&option);

    std::string text = "1\nDummy\nDummy\nDummy\n";
    text += Format("%f\n", static_cast<double>(Extended{input.periods} + 2));
    text += Format("%d\n", static_cast<int>(named.size()));
    for (const TradeOption* option : named)
        text += option->name + "\n";

    std::vector<Money> values;
    for (const TradeOption* option : named)
        values.push_back(StartingValue(*option));
    for (int row = 0; row <= periods + 1; ++row) {
        for (std::size_t k = 0; k < named.size(); ++k)
            text += "0.0\n";
        text += Format("%f ", static_cast<double>(row));
        for (Money value : values)
            text += Format("%f ", static_cast<double>(value));
        text += "\n";
        for (std::size_t k = 0; k < named.size(); ++k)
            values[k] = AfterPeriod(*named[k], values[k]);
    }
    text += "Done\nDone\n";
    return text;
}

std::string TradeInputsText(const TradeInput& input)
{
    std::string text;
    for (const TradeOption& option : input.options)
        text += option.name + "\n";
    for (const TradeOption& option : input.options)
        text += Format("%f\n", static_cast<double>(option.fixedCost));
    for (const TradeOption& option : input.options)
        text += Format("%f\n", static_cast<double>(option.costPerPeriod));
    for (const TradeOption& option : input.options)
        text += Format("%f\n", static_cast<double>(option.fixedAmount));
    for (const TradeOption& option : input.options)
        text += Format("%f\n", static_cast<double>(option.incomePerPeriod));
    text += Format("%f\n", static_cast<double>(input.periods));
    text += "0.000000\n0.000000\n";
    return text;
}

} // namespace tw
