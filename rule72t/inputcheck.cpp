#include "rule72t/inputcheck.h"

#include "finance/format.h"

#include <charconv>
#include <cmath>

namespace tw::rule72t {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ReadInteger(std::string_view text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

Problem Refuse(Field field, std::string message)
{
    return {field, std::move(message)};
}

std::string PercentText(Percent rate)
{
    return Format("%.2f %%", rate);
}

} // namespace

std::optional<double> ReadNumber(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<Month> ReadMonth(std::string_view text)
{
    text = Trimmed(text);
    Month month;
    if (text.size() != 7 || text[4] != '-' || !ReadInteger(text.substr(0, 4), month.year) ||
        !ReadInteger(text.substr(5), month.month) || month.year < kFirstYear ||
        month.year > kLastYear || month.month < 1 || month.month > 12)
        return std::nullopt;
    return month;
}

std::optional<LifeTable> ReadTable(std::string_view text)
{
    text = Trimmed(text);
    if (text == "uniform")
        return LifeTable::Uniform;
    if (text == "single")
        return LifeTable::Single;
    if (text == "joint")
        return LifeTable::Joint;
    return std::nullopt;
}

std::variant<DistributionInput, Problem> ReadInput(const InputTexts& texts)
{
    DistributionInput input;

    const auto balance = ReadNumber(texts.balance);
    if (!balance || *balance <= 0 || *balance > kLargestBalance)
        return Refuse(Field::Balance,
                      "The account balance must be a number above 0 and at most 1,000,000,000.");
    input.balance = *balance;

    const auto born = ReadMonth(texts.born);
    if (!born)
        return Refuse(Field::Born, "The owner's date of birth must be a month written YYYY-MM "
                                   "(such as 1975-03), in the years 1900 to 2199.");
    input.born = *born;

    const auto start = ReadMonth(texts.start);
    if (!start)
        return Refuse(Field::Start, "The month of the first distribution must be written YYYY-MM "
                                    "(such as 2025-01), in the years 1900 to 2199.");
    if (*start < input.born)
        return Refuse(Field::Start,
                      "The first distribution cannot come before the owner's date of birth.");
    input.start = *start;

    const auto table = ReadTable(texts.table);
    if (!table)
        return Refuse(Field::Table, "The table must be uniform, single or joint.");
    input.table = *table;
    const int age = input.start.year - input.born.year;
    if (age < FirstAge(input.table))
        return Refuse(Field::Table,
                      Format("The Uniform Lifetime Table starts at age %d; the owner is %d in "
                             "the year of the first distribution: choose the Single Life or the "
                             "Joint and Last Survivor Table.",
                             kUniformFirstAge, age));

    if (input.table == LifeTable::Joint) {
        const auto beneficiary = ReadMonth(texts.beneficiaryBorn);
        if (!beneficiary)
            return Refuse(Field::BeneficiaryBorn,
                          "The Joint and Last Survivor Table needs the beneficiary's date of "
                          "birth, a month written YYYY-MM (such as 1978-11).");
        if (*beneficiary > input.start)
            return Refuse(Field::BeneficiaryBorn, "The beneficiary must be born by the month of "
                                                  "the first distribution.");
        input.beneficiaryBorn = *beneficiary;
    } else if (!Trimmed(texts.beneficiaryBorn).empty()) {
        return Refuse(Field::BeneficiaryBorn, "A beneficiary's date of birth goes only with the "
                                              "Joint and Last Survivor Table.");
    }

    const auto rate = ReadNumber(texts.rate);
    if (!rate || *rate <= 0)
        return Refuse(Field::Rate, "The interest rate must be a number of percent above 0.");
    input.rate = *rate;

    if (texts.midTerm.size() > 2)
        return Refuse(Field::MidTerm, "Give at most two federal mid-term rates, one for each of "
                                      "the two months before the first distribution.");
    for (std::size_t item = 0; item < texts.midTerm.size(); ++item) {
        if (Trimmed(texts.midTerm[item]).empty())
            continue;
        const auto midTerm = ReadNumber(texts.midTerm[item]);
        if (!midTerm || *midTerm < 0 || *midTerm > kLargestMidTerm)
            return Problem{Field::MidTerm,
                           "A federal mid-term rate must be a number of percent from 0 to 25.",
                           item};
        input.midTerm.push_back(*midTerm);
    }
    // Rates are typed to the hundredth of a percent; a rate that equals the cap there is
    // allowed, whatever the last bits of 1.2 × the mid-term rate come to.
    const Percent cap = RateCap(input.midTerm);
    if (std::round(input.rate * 1e6) > std::round(cap * 1e6)) {
        const std::string why =
            input.midTerm.empty()
                ? "without the federal mid-term rates of the two months before the first "
                  "distribution the cap is 5 % (with them, the greater of 5 % and 120 % of the "
                  "higher one)"
                : "the greater of 5 % and 120 % of the higher federal mid-term rate of the two "
                  "months before the first distribution";
        return Refuse(Field::Rate,
                      "The interest rate may be at most " + PercentText(cap) + ": " + why + ".");
    }

    int perYear = 0;
    if (!ReadInteger(Trimmed(texts.paymentsPerYear), perYear) ||
        (perYear != 1 && perYear != 4 && perYear != 12))
        return Refuse(Field::PaymentsPerYear, "Payments a year must be 1, 4 or 12.");
    input.paymentsPerYear = perYear;

    const auto growth = ReadNumber(texts.growth);
    if (!growth || *growth < kLeastGrowth || *growth > kLargestGrowth)
        return Refuse(Field::Growth,
                      "The yearly growth must be a number of percent from -50 to 50.");
    input.growth = *growth;
    return input;
}

} // namespace tw::rule72t
