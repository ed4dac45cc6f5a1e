#include "tools/calculators/tradeoff.h"

#include "finance/format.h"
#include "tools/calculators/truncatecount.h"

#include <cmath>
#include <optional>
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

// The stretch of values in which every period adds the same float step: the values of one
// sign whose magnitude lies in one binade [lo, 2·lo) of extended precision. In there both
// roundings of a period keep one grid: the sum v + D is rounded to the extended grid of the
// binade, on which v lies at an even place, so it gives v + R with R the difference D rounded
// on that grid alone; then to the float grid, on which v + R lands at the same distance past v
// each time. Only at a tie, which goes to the even float, does the step depend on v, and then
// the value after any step is even, so every later step is the same again.
struct Stretch
{
    bool negative = false;
    Extended lo = 0;

    static std::optional<Stretch> Of(Money value)
    {
        if (value == 0 || !std::isfinite(value))
            return std::nullopt;
        return Stretch{std::signbit(value), std::ldexp(Extended{1}, std::ilogb(Extended{value}))};
    }
    bool holds(Extended value) const
    {
        const Extended magnitude = negative ? -value : value;
        return magnitude >= lo && magnitude < 2 * lo;
    }
    // Strictly inside, for an extended sum that stands for an exact one: the rounding moves a
    // value onto a bound at most, never past it, so a rounded sum strictly inside means an
    // exact one inside.
    bool holdsInside(Extended value) const
    {
        const Extended magnitude = negative ? -value : value;
        return magnitude > lo && magnitude < 2 * lo;
    }
    bool operator==(const Stretch&) const = default;
};

} // namespace

Money TradeEndAmountByPeriods(const TradeOption& option, int periods)
{
    Money value = StartingValue(option);
    for (int period = 0; period < periods; ++period) {
        const Money next = AfterPeriod(option, value);
        // Once a period no longer changes the value, no later one will.
        if (next == value || std::isnan(next))
            return next;
        value = next;
    }
    return value;
}

// The walk of TradeEndAmountByPeriods, with the periods inside one stretch taken at once:
// once two periods in a row from values of the stretch (each with its sum inside it too) have
// added the same step, every later period does so while the value and its sum stay inside,
// and those periods are counted off in one multiplication. A stretch is left within a period
// or two, and single precision has a few hundred stretches, so any count takes a few thousand
// periods at most.
Money TradeEndAmount(const TradeOption& option, int periods, long long* walked)
{
    long long summed = 0;
    const auto finished = [&](Money amount) {
        if (walked != nullptr)
            *walked = summed;
        return amount;
    };
    const Extended difference = Extended{option.incomePerPeriod} - option.costPerPeriod;
    // The period from value stays on the grids of its stretch.
    const auto inside = [&](const Stretch& stretch, Extended value) {
        return stretch.holds(value) && stretch.holdsInside(value + difference);
    };

    Money value = StartingValue(option);
    long long left = periods;
    std::optional<Stretch> lastStretch; // of the last period, when it stayed inside
    Extended lastStep = 0;
    while (left > 0) {
        const Money next = AfterPeriod(option, value);
        --left;
        ++summed;
        if (next == value || std::isnan(next))
            return finished(next);
        const std::optional<Stretch> stretch = Stretch::Of(value);
        const Extended step = Extended{next} - value;
        const bool stayed = stretch && inside(*stretch, value);
        value = next;
        if (stayed && lastStretch == stretch && lastStep == step) {
            // Periods j = 0, 1, … from value add step as long as value + j × step is inside;
            // the first j that is not lies at the end of an interval, found by halving.
            // j × step and the sums are exact in extended precision (31 + 24 bits).
            const auto insideAfter = [&](long long j) {
                return inside(*stretch, Extended{value} + static_cast<Extended>(j) * step);
            };
            long long low = 0;     // inside after low periods, or low = 0
            long long high = left; // the periods that may be taken at most
            if (insideAfter(0)) {
                while (low < high) {
                    const long long middle = low + (high - low + 1) / 2;
                    if (insideAfter(middle - 1))
                        low = middle;
                    else
                        high = middle - 1;
                }
            }
            // low periods, each from a value inside, add step each.
            value = StoreFloat(Extended{value} + static_cast<Extended>(low) * step);
            left -= low;
            lastStretch.reset();
            continue;
        }
        lastStretch = stayed ? stretch : std::nullopt;
        lastStep = step;
    }
    return finished(value);
}

TradeResult CompareTradeOffs(const TradeInput& input)
{
    TradeResult result;
    const int periods = TruncateCount(input.periods);
    for (std::size_t k = 0; k < input.options.size(); ++k)
        result.endAmounts[k] = TradeEndAmount(input.options[k], periods);

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
