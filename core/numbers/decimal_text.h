// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A decimal text taken apart, and the digits of a text in scientific notation: what both ways of
// the decimal conversions (decimal_conversion.h) read, whichever library gives them their
// digits.

#include <cstdint>
#include <string_view>

#include "core/numbers/decimal_conversion.h"

namespace tarrowen::decimal_text {

// Throws OverflowError: the decimal lies beyond the largest double.
[[noreturn]] void too_large();

// A decimal as nearest_double takes it, taken apart.
struct Decimal {
    bool negative = false;
    std::string_view unsigned_text;  // without the sign, which from_chars does not take
    std::string_view mantissa;       // the digits and the point, up to the exponent letter
    bool nonzero = false;            // a digit other than 0 in the mantissa
    // The power of ten of the first nonzero digit, the exponent included: it tells which way
    // a value out of the double range went.
    std::int64_t lead = 0;
};

// `s` in the shape nearest_double takes, taken apart; the views point into `s`.
//   «-12.5E3» gives negative, mantissa «12.5», lead 4.
Decimal split(std::string_view s);

// The digits and exponent of a text in the layout that both to_chars and fmt give for
// scientific notation: [-]d[.ddd]e±dd.
ScientificDigits from_scientific(std::string_view sci);

}  // namespace tarrowen::decimal_text
