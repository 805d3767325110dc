// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the panel's texts and numbers. Locale-free: the decimal point is "."
// on the way in and on the way out, whatever the user's regional settings, so a text that
// the program writes always reads back to the value it shows.
//
// In the examples a text is written between « and », with ␣ for a blank.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/numbers/dynamic_number.h"

namespace tarrowen {

// Reads the number at the start of a text. Never rejects input: a text without a number
// gives 0 and whatever follows the number is ignored.
//
// 1. Every blank, tab and line feed is removed first, wherever it stands:
//    «␣2␣45␣7» gives 2457.
// 2. «&H» or «&O» (either case) reads hexadecimal or octal digits up to the first other
//    character. A value that fits 16 bits is a 16-bit two's-complement integer, a larger one a
//    32-bit one: «&HFFFF» gives -1, «&H10» 16, «&O17» 15, «&H» 0, «&HFFFFFFFF» -1,
//    «&H10000» 65536. Leading zeros do not count. A value that needs more than 32 bits
//    («&HFFFFFFFFFF», «&O77777777777») throws OverflowError, like a decimal out of range.
// 3. Otherwise: optional «+» or «-», digits, optionally «.» and digits, optionally «E» or «e»
//    with an optional sign and digits. «12abc» gives 12, «1,5» 1, «1.2.3» 1.2, «1E» 1,
//    «-.5» -0.5, «1.5E3» 1500; «», «abc», «.» and «-» give 0.
//    «D» is not an exponent letter: «1D3» gives 1.
// 4. The result is the double nearest to the decimal read. A decimal beyond the double range
//    («1E400», «-2E308») throws OverflowError; one too small for a double («1E-400») gives 0
//    (with its sign). A text of any length is read in time proportional to its length.
double parse_number(std::string_view text);

// The text of a readout box: significant digits as below, «0.» shortened to «.», «-0.» to
// «-.», and one leading blank on a value that is not negative.
//   0.5 -> «␣.5»   -0.25 -> «-.25»   12.34 -> «␣12.34»   0 -> «␣0»   -0.0 -> «␣0»
//   1E+15 -> «␣1E+15»   0.00001 -> «␣1E-05»   123456789012345678 -> «␣1.23456789012346E+17»
//   single 1.15f -> «␣1.15»   single 12345678 -> «␣1.234568E+07»
// Digits: integers in full; a double rounded to 15 significant digits, a single to 7,
// trailing zeros dropped; exponent form («E», sign, at least two digits) when the power of ten
// of the first digit is below -4, or at least 15 (double) or 7 (single).
std::string format_readout(const Number& v);

// The text written back into an input box: the same digits with «.», the leading zero kept,
// no blank. 0.5 -> «0.5», -0.25 -> «-0.25», 13 -> «13», -0.0 -> «0», empty -> «».
// parse_number reads the text back to the value shown (to 15 significant digits for a
// double, 7 for a single).
std::string format_plain(const Number& v);

// floor(v * k) / k by the number arithmetic, without any correction toward the decimal value:
// a single stays a single, a double a double.
//   floor_to(12.3456, 100) = 12.34   floor_to(-0.7071, 1000) = -0.708
//   floor_to(0.29, 100) = 0.28 (0.29 * 100 is 28.999999999999996 in double)
//   floor_to(single 1.15f, 100) = single 1.15 (the single product is exactly 115)
Number floor_to(const Number& v, std::int16_t k);

}  // namespace tarrowen
