#include "finance/format.h"

#include "finance/clocale.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace tw {

namespace {

// Switches this thread to the "C" locale for the lifetime of the object, so that printf
// prints a decimal point whatever the process locale says.
class CLocaleScope
{
  public:
    CLocaleScope() : previous_(CLocale() ? uselocale(CLocale()) : static_cast<locale_t>(nullptr)) {}
    ~CLocaleScope()
    {
        if (previous_)
            uselocale(previous_);
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

  private:
    locale_t previous_;
};

} // namespace

std::string Format(const char* format, ...)
{
    const CLocaleScope scope;

    std::va_list args;
    va_start(args, format);
    std::va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);

    std::string result;
    if (length > 0) {
        result.resize(static_cast<std::size_t>(length));
        // The string owns length + 1 bytes, its terminator included.
        std::vsnprintf(result.data(), result.size() + 1, format, args);
    }
    va_end(args);
    return result;
}

namespace {

std::string Padded(std::string_view text, int width)
{
    const std::size_t field = static_cast<std::size_t>(std::abs(width));
    if (text.size() >= field)
        return std::string(text);
    std::string padded(field, ' ');
    std::memcpy(padded.data() + (width < 0 ? 0 : field - text.size()), text.data(), text.size());
    return padded;
}

} // namespace

std::string FormatCents(double value, int width)
{
    // value = m × 2^e exactly, so its cents m × 100 × 2^e split exactly into a whole number
    // and a remainder in 64-bit integers: m has at most 53 bits and 100 adds 7. The remainder
    // against half a cent decides the rounding, ties going to the even cent. Values of 2^62
    // cents and more (and inf and nan) are left to printf.
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>(bits >> 52 & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0x7ff)
        return Format("%*.2f", width, value);
    const std::uint64_t mantissa = biased == 0 ? fraction : fraction | std::uint64_t{1} << 52;
    const int exponent = (biased == 0 ? 1 : biased) - 1075;
    const std::uint64_t scaled = mantissa * 100;

    std::uint64_t whole = 0;
    if (exponent >= 0) {
        if (exponent > 2)
            return Format("%*.2f", width, value);
        whole = scaled << exponent;
    } else if (exponent > -64) {
        const int shift = -exponent;
        whole = scaled >> shift;
        const std::uint64_t remainder = scaled & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (remainder > half || (remainder == half && whole % 2 == 1))
            ++whole;
    } // below 2^-64 a value is far less than half a cent: 0.00

    char digits[32];
    char* at = digits;
    if (bits >> 63 != 0)
        *at++ = '-';
    at = std::to_chars(at, digits + sizeof digits, whole / 100).ptr;
    const auto cents = static_cast<unsigned>(whole % 100);
    *at++ = '.';
    *at++ = static_cast<char>('0' + cents / 10);
    *at++ = static_cast<char>('0' + cents % 10);
    return Padded(std::string_view(digits, static_cast<std::size_t>(at - digits)), width);
}

std::string FormatWhole(int value, int width)
{
    char digits[16];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    return Padded(std::string_view(digits, static_cast<std::size_t>(end - digits)), width);
}

} // namespace tw
