#pragma once
#include <string_view>

namespace tw {

// The standard text-to-number conversion, independent of the process locale:
// leading blanks skipped, an optional sign, digits with an optional decimal point and
// exponent, reading stops at the first character that does not fit, 0 when there is no
// number. "inf", "nan" and hexadecimal texts are not numbers here ("0x1p3" reads as 0).
// The decimal prefix is converted to double exactly as strtod would, then to float; out of
// range values become ±infinity or 0, as the standard conversion gives them.
float ReadFloat(std::string_view text);

// The same conversion kept at double precision: the nearest double to the decimal prefix, so
// that a figure written with "%.2f" reads back as a value that prints the same cents again.
double ReadDouble(std::string_view text);

// The same for integers: no decimal point or exponent ("2.5" reads as 2). Values beyond the
// int range saturate at its ends.
int ReadInt(std::string_view text);

} // namespace tw
