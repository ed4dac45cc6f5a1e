#pragma once
#include <string>

namespace tw {

// printf-style formatting in the "C" locale whatever the process locale is, so that
// "%13.2f" always prints a decimal point. Values are printed exactly as glibc's printf
// prints them (the exact binary value, halves to even).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace tw
