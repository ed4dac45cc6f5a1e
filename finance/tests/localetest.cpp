#include "finance/format.h"
#include "finance/money.h"
#include "finance/numberreader.h"

#include <gtest/gtest.h>

#include <clocale>
#include <langinfo.h>
#include <locale.h>
#include <optional>
#include <string>

namespace tw {
namespace {

// Sets the process locale for the lifetime of the object and puts the old one back.
class ProcessLocale
{
  public:
    explicit ProcessLocale(const char* name) : previous_(std::setlocale(LC_ALL, nullptr))
    {
        applied_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ProcessLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    ProcessLocale(const ProcessLocale&) = delete;
    ProcessLocale& operator=(const ProcessLocale&) = delete;

    bool Applied() const { return applied_; }

  private:
    std::string previous_;
    bool applied_ = false;
};

std::string RadixOf(const char* name)
{
    const locale_t locale = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
    if (!locale)
        return {};
    const std::string radix = nl_langinfo_l(RADIXCHAR, locale);
    freelocale(locale);
    return radix;
}

// An installed locale that writes numbers with a decimal comma, if there is one.
std::optional<std::string> FindDecimalCommaLocale()
{
    for (const char* name :
         {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8", "es_ES.UTF-8",
          "it_IT.UTF-8", "ru_RU.UTF-8", "pt_BR.UTF-8", "de_DE", "fr_FR"}) {
        if (RadixOf(name) == ",")
            return name;
    }
    return std::nullopt;
}

// What must hold whatever the process locale is.
void ExpectLocaleIndependence()
{
    EXPECT_EQ(Format("%13.2f", 1234.5), "      1234.50");
    EXPECT_EQ(Format("%-8.4f|", 0.5), "0.5000  |");
    EXPECT_EQ(ReadFloat("1234.5"), 1234.5F);
    EXPECT_EQ(ReadFloat(" -.5e1"), -5.0F);
    EXPECT_EQ(ReadFloat("1,5"), 1.0F);
    EXPECT_EQ(ReadInt("1.234"), 1);
    EXPECT_EQ(FormatMoney(Format("%13.2f", 1234567.875)), "$1,234,567.88");
}

TEST(NumberTexts, IgnoreADecimalCommaLocale)
{
    const std::optional<std::string> name = FindDecimalCommaLocale();
    if (!name)
        GTEST_SKIP() << "no locale with a decimal comma is installed on this machine";
    const ProcessLocale locale(name->c_str());
    ASSERT_TRUE(locale.Applied()) << *name;
    // The hostile locale is really in force for the ordinary calls...
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    ASSERT_STREQ(buffer, "1,5");
    // ...and the program's own conversions do not follow it.
    ExpectLocaleIndependence();
}

TEST(NumberTexts, IgnoreAnotherInstalledLocale)
{
    const char* name = nullptr;
    for (const char* candidate : {"C.UTF-8", "C.utf8", "en_US.UTF-8", "POSIX"}) {
        if (!RadixOf(candidate).empty()) {
            name = candidate;
            break;
        }
    }
    ASSERT_NE(name, nullptr);
    const ProcessLocale locale(name);
    ASSERT_TRUE(locale.Applied()) << name;
    ExpectLocaleIndependence();
}

} // namespace
} // namespace tw
