#pragma once
#include <string>
#include <vector>

namespace tw {

struct Range
{
    double lo = 0;
    double hi = 1;
    double span() const { return hi - lo; }
    bool contains(double v) const { return v >= lo && v <= hi; }
    friend bool operator==(const Range&, const Range&) = default;
};

struct Tick
{
    double value = 0;
    std::string label;
    std::string sublabel; // a second, smaller line under the label; may be empty
};

struct Axis
{
    Range range;
    std::vector<Tick> ticks;
    std::vector<double> minor; // unlabelled marks between the ticks
};

// The smallest of 1, 2, 5 × 10^k that cuts span into at most maxTicks steps.
double NiceStep(double span, int maxTicks);

// A money axis over data: round steps of 1, 2 or 5 × 10^k dollars, labelled "−$50,000",
// "$150,000", "$0.50". With widen the range grows to the round ticks just outside the data, so
// the axis starts and ends on a label; a range of zero width grows around its value.
Axis MoneyAxis(Range data, int maxTicks, bool widen);

// Months since refinancing over a visible range: steps of whole years once the range is two
// years wide (each tick labelled with its month and, below it, its year), and an unlabelled
// mark at every year in between while the marks stay apart; shorter ranges step by 1, 2, 3,
// 4 or 6 months.
Axis MonthAxis(Range visible, int maxTicks);

// Whole periods over a visible range, in steps of 1, 2 or 5 × 10^k.
Axis PeriodAxis(Range visible, int maxTicks);

// A tick's money label for ticks step apart: no cents on whole-dollar steps.
std::string MoneyLabel(double value, double step);

// A value to the cent, "−$1,234.56" (the minus sign U+2212 before the dollar sign, as money
// is written in prose); very large values in exponent form.
std::string MoneyText(double value);

// An x value as text: whole numbers without decimals ("20"), others with up to six.
std::string NumberText(double value);

} // namespace tw
