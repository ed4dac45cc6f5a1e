#include "tools/loansolver/loanschedule.h"

#include "finance/format.h"

#include <cmath>
#include <cstdint>

namespace tw {

namespace {

using Cents = std::int64_t;

// Half a cent: an exact schedule treats less than this as nothing, so that a balance worked
// out to 1e-10 neither shows as "-0.00" nor asks for one more payment.
constexpr double kHalfCent = 0.005;
// A balance this large has left every limit of the form behind; the schedule stops there
// rather than overflow.
constexpr double kRunawayBalance = 1e15;

Cents ToCents(double dollars)
{
    return std::llround(dollars * 100);
}

double ToDollars(Cents cents)
{
    return static_cast<double>(cents) / 100;
}

// One period of the schedule, in the arithmetic of the rounding: double dollars when exact,
// whole cents otherwise. Both walk the same steps, so they share this template.
template <typename Amount> struct Ledger
{
    Amount balance{};
    Amount payment{};
    Amount extra{};
    Amount balloon{};
    double rate = 0;
    bool advance = false;

    Amount interestOn(Amount owed) const;
    // What is left after the last payment in advance, so that a period's interest on it
    // makes the balloon: x with x + interest(x) = balloon; the interest then is balloon − x.
    Amount beforeLastPeriod() const;
    static bool nothing(Amount value);
    static double dollars(Amount value);
};

template <> double Ledger<double>::interestOn(double owed) const
{
    return owed * rate;
}
template <> Cents Ledger<Cents>::interestOn(Cents owed) const
{
    return std::llround(static_cast<double>(owed) * rate);
}
template <> double Ledger<double>::beforeLastPeriod() const
{
    return balloon / (1 + rate);
}
template <> Cents Ledger<Cents>::beforeLastPeriod() const
{
    // Rounding the interest makes some balloons unreachable by a whole cent; the nearest
    // remainder is taken and the last period's interest absorbs the cent.
    const Cents guess = std::llround(static_cast<double>(balloon) / (1 + rate));
    Cents best = guess;
    Cents bestMiss = -1;
    for (Cents x = guess - 2; x <= guess + 2; ++x) {
        const Cents miss = std::llabs(x + interestOn(x) - balloon);
        if (bestMiss < 0 || miss < bestMiss) {
            best = x;
            bestMiss = miss;
        }
    }
    return best;
}
template <> bool Ledger<double>::nothing(double value)
{
    return std::fabs(value) < kHalfCent;
}
template <> bool Ledger<Cents>::nothing(Cents value)
{
    return value == 0;
}
template <> double Ledger<double>::dollars(double value)
{
    return nothing(value) ? 0.0 : value;
}
template <> double Ledger<Cents>::dollars(Cents value)
{
    return ToDollars(value);
}

template <typename Amount> struct YearSums
{
    Amount payment{};
    Amount interest{};
    Amount principal{};
    Amount extra{};
};

template <typename Amount> LoanSchedule Run(const ScheduleTerms& terms, Ledger<Amount> ledger)
{
    using L = Ledger<Amount>;
    LoanSchedule schedule;
    const int perYear = terms.paymentsPerYear > 0 ? terms.paymentsPerYear : 1;
    schedule.rows.reserve(static_cast<std::size_t>(terms.count + terms.count / perYear + 2));
    YearSums<Amount> year;
    Amount totalPayments{};
    Amount totalInterest{};

    for (int number = 1; number <= terms.count; ++number) {
        const Amount owed = ledger.balance;
        Amount extra = number >= terms.extraFrom ? ledger.extra : Amount{};
        Amount payment = ledger.payment;
        Amount interest{};
        bool paidOff = false;
        // The last payment of the term pays what leaves the balloon owed at its end.
        const auto payLast = [&](Amount total) {
            if (total < Amount{}) {
                payment = Amount{};
                extra = Amount{};
                return false;
            }
            if (extra > total)
                extra = total;
            payment = total - extra;
            return true;
        };
        const auto payOff = [&](Amount due) {
            paidOff = true;
            payment = due < payment ? due : payment;
            extra = due - payment;
        };
        if (!ledger.advance) {
            interest = ledger.interestOn(owed);
            const Amount due = owed + interest;
            if (number == terms.count)
                payLast(due - ledger.balloon);
            else if (due <= payment + extra || L::nothing(due - payment - extra))
                payOff(due);
        } else if (number == terms.count) {
            const Amount left = ledger.beforeLastPeriod();
            interest = payLast(owed - left) ? ledger.balloon - left : ledger.interestOn(owed);
        } else if (owed <= payment + extra || L::nothing(owed - payment - extra)) {
            payOff(owed);
        } else {
            interest = ledger.interestOn(owed - payment - extra);
        }
        const Amount principal = payment - interest;
        ledger.balance = paidOff ? Amount{} : owed - principal - extra;

        LoanRow row{LoanRowKind::Payment,       number,
                    (number - 1) / perYear + 1, L::dollars(payment),
                    L::dollars(interest),       L::dollars(principal),
                    L::dollars(extra),          L::dollars(ledger.balance)};
        schedule.rows.push_back(row);
        year.payment += payment;
        year.interest += interest;
        year.principal += principal;
        year.extra += extra;
        totalPayments += payment + extra;
        totalInterest += interest;
        schedule.paymentsMade = number;

        const bool last = paidOff || number == terms.count ||
                          !(std::fabs(L::dollars(ledger.balance)) < kRunawayBalance);
        if (number % perYear == 0 || last) {
            schedule.rows.push_back({LoanRowKind::YearTotal, number, row.year,
                                     L::dollars(year.payment), L::dollars(year.interest),
                                     L::dollars(year.principal), L::dollars(year.extra),
                                     row.balance});
            year = {};
        }
        if (last)
            break;
    }
    schedule.totalPayments = L::dollars(totalPayments);
    schedule.totalInterest = L::dollars(totalInterest);
    schedule.finalBalance = L::dollars(ledger.balance);
    return schedule;
}

} // namespace

LoanSchedule RunLoanSchedule(const ScheduleTerms& terms)
{
    const bool advance = terms.timing == PaymentTiming::Beginning;
    if (terms.rounding == LoanRounding::Cents) {
        return Run<Cents>(terms,
                          {ToCents(terms.amount), ToCents(terms.payment), ToCents(terms.extra),
                           ToCents(terms.balloon), terms.rate, advance});
    }
    return Run<double>(
        terms, {terms.amount, terms.payment, terms.extra, terms.balloon, terms.rate, advance});
}

std::vector<std::string> LoanRowCells(const LoanRow& row)
{
    const auto money = [](double value) {
        return FormatCents(std::fabs(value) < kHalfCent ? 0.0 : value, 0);
    };
    return {row.kind == LoanRowKind::YearTotal ? std::string("Total") : FormatWhole(row.number, 0),
            FormatWhole(row.year, 0),
            money(row.payment),
            money(row.interest),
            money(row.principal),
            money(row.extra),
            money(row.balance)};
}

} // namespace tw
