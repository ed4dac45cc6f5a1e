#include "rule72t/commandline.h"

#include "rule72t/report.h"

#include <array>
#include <ostream>
#include <utility>

namespace tw::rule72t {

namespace {

constexpr char kProgram[] = "twrule11";

struct Option
{
    Field field;
    std::string_view name;
};

// Every option that takes a value, in the form's order.
constexpr std::array<Option, 9> kOptions{{
    {Field::Balance, "--balance"},
    {Field::Born, "--born"},
    {Field::Start, "--start"},
    {Field::Table, "--table"},
    {Field::BeneficiaryBorn, "--beneficiary-born"},
    {Field::Rate, "--rate"},
    {Field::MidTerm, "--mid-term"},
    {Field::PaymentsPerYear, "--per-year"},
    {Field::Growth, "--growth"},
}};

std::vector<std::string> SplitAtCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t comma; (comma = text.find(',', from)) != std::string::npos; from = comma + 1)
        parts.push_back(text.substr(from, comma - from));
    parts.push_back(text.substr(from));
    return parts;
}

void Store(InputTexts& texts, Field field, const std::string& value)
{
    switch (field) {
    case Field::Balance:
        texts.balance = value;
        break;
    case Field::Born:
        texts.born = value;
        break;
    case Field::Start:
        texts.start = value;
        break;
    case Field::Table:
        texts.table = value;
        break;
    case Field::BeneficiaryBorn:
        texts.beneficiaryBorn = value;
        break;
    case Field::Rate:
        texts.rate = value;
        break;
    case Field::MidTerm:
        texts.midTerm = SplitAtCommas(value);
        break;
    case Field::PaymentsPerYear:
        texts.paymentsPerYear = value;
        break;
    case Field::Growth:
        texts.growth = value;
        break;
    }
}

CommandLine Fail(std::string why)
{
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = std::move(why);
    return line;
}

} // namespace

std::string_view OptionOf(Field field)
{
    for (const Option& option : kOptions) {
        if (option.field == field)
            return option.name;
    }
    return {};
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    if (arguments.empty())
        return line;
    line.action = CommandLine::Action::Report;
    std::vector<bool> given(kOptions.size(), false);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (argument == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (argument == "--csv") {
            line.csv = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        std::size_t k = 0;
        while (k < kOptions.size() && kOptions[k].name != name)
            ++k;
        if (k == kOptions.size())
            return Fail(argument.rfind("--", 0) == 0 ? "unknown option " + name
                                                     : "unexpected argument " + argument);
        if (given[k])
            return Fail(name + " is given twice");
        given[k] = true;
        std::string value;
        if (equals != std::string::npos)
            value = argument.substr(equals + 1);
        else if (i + 1 < arguments.size())
            value = arguments[++i];
        else
            return Fail(name + " needs a value");
        Store(line.texts, kOptions[k].field, value);
    }
    return line;
}

std::string Usage()
{
    return "Usage: twrule11\n"
           "       twrule11 --balance B --born YYYY-MM --start YYYY-MM\n"
           "                [--table uniform|single|joint --beneficiary-born YYYY-MM]\n"
           "                --rate R [--mid-term R1,R2] [--per-year N] [--growth G] [--csv]\n"
           "\n"
           "Substantially equal periodic payments from a retirement account before age 59\u00bd\n"
           "(section 72(t), IRS Notice 2022-6): the annual amount under the required minimum\n"
           "distribution, fixed amortization and fixed annuitization methods, the earliest\n"
           "month the series may be changed, and the account year by year until then.\n"
           "Without options the window opens.\n"
           "\n"
           "  --balance B            the account balance in dollars, above 0, at most 1000000000\n"
           "  --born YYYY-MM         the owner's month of birth\n"
           "  --start YYYY-MM        the month of the first distribution\n"
           "  --table T              uniform, single (the default) or joint\n"
           "  --beneficiary-born M   the beneficiary's month of birth, for --table joint\n"
           "  --rate R               the interest rate in percent, above 0, at most the cap\n"
           "  --mid-term R1,R2       the federal mid-term rates of the two months before the\n"
           "                         first distribution; the cap is the greater of 5 and 120 %\n"
           "                         of the higher of them (5 without them)\n"
           "  --per-year N           payments a year: 1 (the default), 4 or 12\n"
           "  --growth G             the account's assumed yearly growth in percent, -50 to 50\n"
           "                         (default 0), for the projection\n"
           "  --csv                  the methods and the projection as CSV\n"
           "  --help, --version      this text, the version\n"
           "\n"
           "Exit status: 0 when the report was written; 2 for a wrong command line or a value\n"
           "outside its rule, with one line on standard error naming the option.\n"
           "The figures are not tax advice.\n";
}

int RunReport(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const auto read = ReadInput(line.texts);
    if (const auto* problem = std::get_if<Problem>(&read)) {
        err << kProgram << ": " << OptionOf(problem->field) << ": " << problem->message << '\n';
        return 2;
    }
    const DistributionInput& input = std::get<DistributionInput>(read);
    const DistributionResult result = ComputeDistributions(input);
    out << (line.csv ? ReportCsv(result) : ReportText(input, result));
    return 0;
}

} // namespace tw::rule72t
