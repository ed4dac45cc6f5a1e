#pragma once
#include <locale.h>

namespace tw {

// The "C" locale as a locale object, for the conversions that must not follow the process
// locale (a decimal comma would otherwise break both printing and reading). glibc hands out
// a static object for "C", so this cannot fail in practice; it is made once and never freed.
inline locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace tw
