// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbers/decimal_conversion.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "core/numbers/decimal_text.h"

namespace tarrowen {

using decimal_text::Decimal;
using decimal_text::from_scientific;
using decimal_text::split;
using decimal_text::too_large;

#if TARROWEN_HAVE_FLOAT_CHARCONV
namespace charconv_path {

ScientificDigits scientific_digits(double v, int precision) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::abs(v), std::chars_format::scientific,
                                 precision - 1);
    return from_scientific(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

double nearest_double(std::string_view decimal) {
    const Decimal d = split(decimal);
    double value = 0.0;
    if (d.nonzero) {
        const char* begin = d.unsigned_text.data();
        const auto r = std::from_chars(begin, begin + d.unsigned_text.size(), value);
        if (r.ec == std::errc::result_out_of_range) {
            // At 10 or above nothing underflows; below 10 nothing overflows.
            if (d.lead > 0) too_large();
            value = 0.0;
        }
    }
    return d.negative ? -value : value;
}

}  // namespace charconv_path
#endif

ScientificDigits scientific_digits(double v, int precision) {
#if TARROWEN_HAVE_FLOAT_CHARCONV
    return charconv_path::scientific_digits(v, precision);
#else
    return portable_path::scientific_digits(v, precision);
#endif
}

double nearest_double(std::string_view decimal) {
#if TARROWEN_HAVE_FLOAT_CHARCONV
    return charconv_path::nearest_double(decimal);
#else
    return portable_path::nearest_double(decimal);
#endif
}

}  // namespace tarrowen
