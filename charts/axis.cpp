#include "charts/axis.h"

#include "finance/format.h"
#include "finance/money.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tw {

namespace {

// Beyond this the digits of a money label mean nothing to a reader, and a float's range
// (which a trade-off can reach) would give labels fifty characters wide.
constexpr double kExponentFrom = 1e15;

// No axis gets more marks than this, however a caller asks, so a degenerate range cannot make
// a long loop.
constexpr int kMostTicks = 200;

// "-0", "-0.00": a value that rounds to zero prints without a sign.
std::string DropNegativeZero(std::string text)
{
    if (!text.empty() && text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

// Money as prose writes it, "−$1,234.56": a minus sign (U+2212) before the dollar sign.
// number is printf's "-1234.56" or "1.2e+20".
std::string Dollars(std::string number)
{
    number = DropNegativeZero(std::move(number));
    const bool negative = !number.empty() && number.front() == '-';
    if (negative)
        number.erase(0, 1);
    const std::string sign = negative ? "\u2212" : "";
    if (number.find('e') != std::string::npos)
        return sign + "$" + number;
    return sign + FormatMoney(number);
}

std::vector<double> TickValues(Range range, double step)
{
    std::vector<double> values;
    if (!(step > 0) || !std::isfinite(range.lo) || !std::isfinite(range.hi))
        return values;
    const double first = std::ceil(range.lo / step - 1e-9);
    if (!std::isfinite(first))
        return values;
    for (int i = 0; i < kMostTicks; ++i) {
        double value = (first + i) * step;
        if (value > range.hi + step * 1e-9)
            break;
        if (std::fabs(value) < step * 1e-9)
            value = 0;
        values.push_back(value);
    }
    return values;
}

// A range narrower than this share of its values' size, or narrower than the smallest step
// a label can show, is drawn as the flat line it looks like: no steps could mark it apart.
constexpr double kFlatShare = 1e-12;
constexpr double kFlatSpan = 1e-9;

Range Padded(Range range)
{
    const double size = std::max(std::fabs(range.lo), std::fabs(range.hi));
    if (range.span() > std::max(size * kFlatShare, kFlatSpan))
        return range;
    const double middle = range.lo / 2 + range.hi / 2;
    const double pad = std::max(std::fabs(middle) * 0.1, 1.0);
    return {middle - pad, middle + pad};
}

} // namespace

double NiceStep(double span, int maxTicks)
{
    maxTicks = std::clamp(maxTicks, 1, kMostTicks);
    if (!(span > 0) || !std::isfinite(span))
        return 1;
    // The step is at least raw = span / maxTicks, so one of 1, 2, 5 × 10^k and 10^(k + 1) with
    // 10^k ≤ raw fits. Near the ends of the double range a power of ten underflows to 0 or
    // overflows; the loop is bounded all the same and raw itself is the step then.
    const double raw = span / maxTicks;
    if (!(raw > 0))
        return span;
    int exponent = static_cast<int>(std::floor(std::log10(raw)));
    for (int tries = 0; tries < 2; ++tries, ++exponent) {
        const double magnitude = std::pow(10.0, exponent);
        for (const double m : {1.0, 2.0, 5.0}) {
            const double step = m * magnitude;
            if (step > 0 && std::isfinite(step) && span / step <= maxTicks + 1e-9)
                return step;
        }
    }
    return raw;
}

std::string MoneyLabel(double value, double step)
{
    if (std::fabs(value) >= kExponentFrom || step >= kExponentFrom)
        return Dollars(Format("%.3g", value));
    int decimals = 0;
    if (step < 1) {
        decimals = 2;
        while (decimals < 6 && step < std::pow(10.0, -decimals) * (1 - 1e-9))
            ++decimals;
    }
    return Dollars(Format("%.*f", decimals, value));
}

std::string MoneyText(double value)
{
    return Dollars(Format(std::fabs(value) >= kExponentFrom ? "%.6g" : "%.2f", value));
}

std::string NumberText(double value)
{
    if (value == std::floor(value) && std::fabs(value) < kExponentFrom)
        return DropNegativeZero(Format("%.0f", value));
    std::string text = Format(std::fabs(value) < kExponentFrom ? "%.6f" : "%.6g", value);
    if (text.find('.') != std::string::npos && text.find('e') == std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return DropNegativeZero(text);
}

Axis MoneyAxis(Range data, int maxTicks, bool widen)
{
    Axis axis;
    axis.range = Padded(data);
    const double step = NiceStep(axis.range.span(), maxTicks);
    if (widen) {
        // A value a hair beyond a tick (0.30000000000000004 for 0.3) takes that tick; the
        // product can still round to just inside the data, which then takes one more step.
        const Range wanted = axis.range;
        axis.range.lo = std::floor(wanted.lo / step + 1e-9) * step;
        axis.range.hi = std::ceil(wanted.hi / step - 1e-9) * step;
        if (axis.range.lo > wanted.lo)
            axis.range.lo -= step;
        if (axis.range.hi < wanted.hi)
            axis.range.hi += step;
    }
    for (const double value : TickValues(axis.range, step))
        axis.ticks.push_back({value, MoneyLabel(value, step), {}});
    return axis;
}

Axis MonthAxis(Range visible, int maxTicks)
{
    Axis axis;
    axis.range = Padded(visible);
    const double span = axis.range.span();
    maxTicks = std::clamp(maxTicks, 1, kMostTicks);

    constexpr std::array<double, 5> kShortSteps = {1, 2, 3, 4, 6};
    double step = 0;
    if (span < 24) {
        for (const double candidate : kShortSteps) {
            if (span / candidate <= maxTicks) {
                step = candidate;
                break;
            }
        }
    }
    if (step == 0)
        step = 12 * NiceStep(span / 12, maxTicks);

    for (const double value : TickValues(axis.range, step)) {
        Tick tick{value, NumberText(value), {}};
        if (std::fmod(value, 12) == 0)
            tick.sublabel = "year " + NumberText(value / 12);
        axis.ticks.push_back(std::move(tick));
    }
    // Year marks between ticks several years apart, while there are few enough to tell apart.
    if (step > 12 && span / 12 <= kMostTicks) {
        for (const double value : TickValues(axis.range, 12)) {
            if (std::fmod(value, step) != 0)
                axis.minor.push_back(value);
        }
    }
    return axis;
}

Axis PeriodAxis(Range visible, int maxTicks)
{
    Axis axis;
    axis.range = Padded(visible);
    const double step = std::max(1.0, NiceStep(axis.range.span(), maxTicks));
    for (const double value : TickValues(axis.range, step))
        axis.ticks.push_back({value, NumberText(value), {}});
    return axis;
}

} // namespace tw
