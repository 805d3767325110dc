// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two conversions between binary floating point and decimal that the number texts rest on.
// Both are exact (correctly rounded from the exact value, ties to even), so every target gives
// the same characters, whichever way it converts.
//
// Two ways stand behind them, chosen when the build is configured (TARROWEN_HAVE_FLOAT_CHARCONV):
// - the C++ library's floating-point std::to_chars and std::from_chars, where it has them
//   (libstdc++ on Linux and in mingw-w64);
// - otherwise fmt's digits and the C library's strtod (emscripten's libc++ 13 has no
//   floating-point to_chars or from_chars).
// The second way trusts the C library's strtod to round correctly, as glibc's and musl's
// (emscripten's) do; where the first way exists it is used, so neither Windows nor Linux
// depends on that. Both ways are declared below too, so that the tests and the differential
// fuzz target can hold them against each other wherever both build: the second way is built
// where the first is missing, and beside it where fmt's headers are found
// (TARROWEN_BUILT_PORTABLE_PATH).
//
// In the examples a text is written between « and ».

#include <array>
#include <string_view>

#ifndef TARROWEN_HAVE_FLOAT_CHARCONV
#define TARROWEN_HAVE_FLOAT_CHARCONV 0
#endif

namespace tarrowen {

// The leading significant digits of a number, as scientific notation holds them:
// d1.d2d3... × 10^exponent.
struct ScientificDigits {
    std::array<char, 17> digits{};  // '0'..'9'; the first is nonzero; `count` of them are used
    int count = 0;
    int exponent = 0;  // the power of ten of the first digit
};

// |v| rounded to `precision` significant digits (1 to 17), trailing zeros kept. v is finite and
// nonzero; its sign is ignored. A float widened to double keeps its exact value, so passing it
// widened gives the float's own digits. The exact binary value is rounded, not a shorter
// decimal that would read back to it:
//   0.1, 15                  -> 100000000000000, exponent -1   (0.1000000000000000055511...)
//   2.0 / 3, 15              -> 666666666666667, exponent -1
//   999999999999999.9, 15    -> 100000000000000, exponent 15   (the carry moves the exponent)
//   100000000000000.5, 15    -> 100000000000000, exponent 14   (a tie: to the even digit)
//   1.15f, 7                 -> 1150000, exponent 0            (1.14999997615814208984375)
//   1234568.5f, 7            -> 1234568, exponent 6            (a tie: to the even digit)
//   4.9406564584124654e-324, 15 -> 494065645841247, exponent -324
ScientificDigits scientific_digits(double v, int precision);

// The double nearest to a decimal, ties to even. `decimal` is exactly: an optional «+» or «-»,
// digits, optionally «.» and digits, optionally «E» or «e» with an optional sign and at least one
// digit; at least one digit before the exponent letter. Any number of digits anywhere; time
// proportional to the length.
//   «0.1»                     -> 0.1000000000000000055511151231257827
//   «9007199254740993»        -> 9007199254740992   (a tie: to the even neighbour)
//   «1.7976931348623158E308»  -> 1.7976931348623157E308, the largest double (rounds down onto it)
//   «3E-324»                  -> 4.9406564584124654E-324, the smallest (nearer to it than to 0)
//   «-1E-400», «2E-324»       -> -0.0, 0.0   (below half the smallest: zero with its sign)
//   «-0»                      -> -0.0
//   «1E400», «-2E308», «1.79769313486232E+308» -> throws OverflowError (rounds beyond the range)
// Locale-free on both ways: from_chars ignores the locale, and strtod is handed no decimal
// point, only «-», digits and «e» with its exponent, which read the same under every LC_NUMERIC.
double nearest_double(std::string_view decimal);

// The first way, where the library has it.
namespace charconv_path {
#if TARROWEN_HAVE_FLOAT_CHARCONV
ScientificDigits scientific_digits(double v, int precision);
double nearest_double(std::string_view decimal);
#endif
}  // namespace charconv_path

// The second way, where it is built.
namespace portable_path {
ScientificDigits scientific_digits(double v, int precision);
double nearest_double(std::string_view decimal);
}  // namespace portable_path

}  // namespace tarrowen
