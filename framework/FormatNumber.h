#pragma once
// The decimal text of an integer, for the few numbers the setup writes or shows (a language index in
// an INI file, a system error code). Written out by hand rather than through the C library's printf
// family, whose mingw implementation brings its floating-point formatting into every program that
// calls it.

#include <string>

std::string FormatDecimal(long long value);
std::wstring FormatDecimalWide(long long value);
