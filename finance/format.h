#pragma once
#include <string>

namespace tw {

// printf-style formatting in the "C" locale whatever the process locale is, so that
// "%13.2f" always prints a decimal point. Values are printed exactly as glibc's printf
// prints them (the exact binary value, halves to even).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Format("%*.2f", width, value) without printf, for the tables' thousands of cells: the same
// text (the exact binary value rounded half to even, "-" for every negative value, "inf" and
// "nan" as printf writes them); a negative width aligns left, as the "-" flag does.
std::string FormatCents(double value, int width);
// Format("%*d", width, value) without printf.
std::string FormatWhole(int value, int width);

} // namespace tw
