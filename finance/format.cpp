#include "finance/format.h"

#include "finance/clocale.h"

#include <cstdarg>
#include <cstdio>

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

} // namespace tw
