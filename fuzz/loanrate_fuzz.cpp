// The loan solver's rate search on hostile inputs: any amounts, counts and bounds, NaN and
// infinities included. It must end within kMaxRateIterations steps with a rate inside its
// bracket or none. Then the whole solver, with the inputs brought inside the form's limits,
// for every unknown: an answer whose figures are all finite, or a reason, never inf or nan.

#include "fuzz/fuzzcheck.h"
#include "tools/loansolver/loansolver.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using tw::fuzz::Require;

struct Bytes
{
    const std::uint8_t* data;
    std::size_t size;

    double next()
    {
        double value = 0;
        if (size >= sizeof value) {
            std::memcpy(&value, data, sizeof value);
            data += sizeof value;
            size -= sizeof value;
        }
        return value;
    }
    int small(int count)
    {
        if (size == 0)
            return 0;
        const int value = *data % count;
        ++data;
        --size;
        return value;
    }
};

// A finite value inside [0, most], or 0.
double Within(double value, double most)
{
    if (!std::isfinite(value))
        return 0;
    return std::fmod(std::fabs(value), most);
}

std::string Describe(const tw::Annuity& loan, double upper)
{
    return "amount " + std::to_string(loan.amount) + " count " + std::to_string(loan.count) +
           " payment " + std::to_string(loan.payment) + " balloon " + std::to_string(loan.balloon) +
           " upper " + std::to_string(upper);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes bytes{data, size};
    tw::Annuity loan;
    loan.amount = bytes.next();
    loan.count = bytes.next();
    loan.payment = bytes.next();
    loan.balloon = bytes.next();
    loan.timing = bytes.small(2) == 0 ? tw::PaymentTiming::End : tw::PaymentTiming::Beginning;
    const double upper = bytes.next();

    const tw::RateSolution solution = tw::SolveRate(loan, upper);
    Require(solution.iterations <= tw::kMaxRateIterations, "the rate search ends in time",
            Describe(loan, upper));
    if (solution.rate)
        Require(*solution.rate >= 0 && *solution.rate <= upper, "the rate stays in its bracket",
                Describe(loan, upper));

    constexpr int kPerYear[] = {1, 2, 4, 12, 24, 26, 52};
    constexpr int kCompounding[] = {1, 2, 4, 12, 24, 26, 52, 365, tw::kContinuous};
    tw::LoanTerms terms;
    terms.paymentsPerYear = kPerYear[bytes.small(7)];
    terms.compounding = kCompounding[bytes.small(9)];
    const int most = tw::MaxLoanPayments(terms.paymentsPerYear);
    terms.amount = Within(loan.amount, tw::kMaxLoanAmount);
    terms.ratePercent = Within(upper, tw::kMaxLoanRate);
    terms.count = 1 + static_cast<int>(Within(loan.count, most - 1));
    terms.payment = Within(loan.payment, tw::kMaxLoanAmount);
    terms.balloon = Within(loan.balloon, tw::kMaxLoanAmount);
    terms.timing = loan.timing;
    terms.fees = Within(bytes.next(), tw::kMaxLoanAmount);
    terms.pointsPercent = Within(bytes.next(), tw::kMaxPoints);
    terms.extra = Within(bytes.next(), tw::kMaxLoanAmount);
    terms.extraFrom = 1 + bytes.small(terms.count);
    terms.target = terms.extraFrom + bytes.small(terms.count - terms.extraFrom + 1);
    terms.rounding = bytes.small(2) == 0 ? tw::LoanRounding::Exact : tw::LoanRounding::Cents;
    const auto unknown = static_cast<tw::LoanUnknown>(bytes.small(6));

    const tw::LoanSolution solved = tw::SolveLoan(terms, unknown);
    if (solved.failure)
        return 0;
    const tw::LoanTerms& t = solved.terms;
    for (const double figure :
         {t.amount, t.ratePercent, t.payment, t.balloon, t.extra, solved.totalPayments,
          solved.totalInterest, solved.aprPercent, solved.interestSaved})
        Require(std::isfinite(figure), "every figure of an answer is finite",
                Describe(loan, upper));
    Require(t.count >= 1 && t.count <= most, "the number of payments stays in its limits",
            "count " + std::to_string(t.count) + " unknown " +
                std::to_string(static_cast<int>(unknown)));
    return 0;
}
