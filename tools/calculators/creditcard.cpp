#include "tools/calculators/creditcard.h"

#include <cmath>

namespace tw {

CardPayoffResult PayOffCard(const CardPayoffInput& in)
{
    CardPayoffResult out;
    Money balance = in.balance;
    const Extended payment = in.payment;

    for (int month = 0; month < kCardMonthLimit; ++month) {
        balance = StoreFloat(Extended{in.purchases} + balance);
        const Money interest =
            StoreFloat(Extended{balance} * in.rate * kOneOver365 * 30 * kHundredth);
        if (Extended{balance} - payment > payment) {
            balance = StoreFloat(Extended{balance} - (payment - interest));
            out.interest = StoreFloat(Extended{out.interest} + interest);
            if (balance <= 0)
                break;
        } else {
            out.interest = StoreFloat(Extended{out.interest} + interest);
            balance = 0;
        }
        if (!std::isfinite(balance) || !std::isfinite(out.interest)) {
            out.finite = false;
            break;
        }
        out.months = StoreFloat(Extended{out.months} + 1);
        if (balance <= 0)
            break;
    }
    out.finite = out.finite && std::isfinite(balance) && std::isfinite(out.interest);
    out.cleared = out.finite && balance <= 0;
    out.years = StoreFloat(Extended{out.months} * kTwelfth);
    return out;
}

} // namespace tw
