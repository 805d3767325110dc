// SPDX-License-Identifier: GPL-3.0-or-later
// The second way of the decimal conversions: fmt's digits and the C library's strtod, for a C++
// library without floating-point to_chars and from_chars.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

// fmt is used from its headers alone, so that the cross compilers need no fmt library built
// for them.
#define FMT_HEADER_ONLY
#include <fmt/compile.h>
#include <fmt/format.h>

#include "core/numbers/decimal_conversion.h"
#include "core/numbers/decimal_text.h"

namespace tarrowen {

using decimal_text::Decimal;
using decimal_text::from_scientific;
using decimal_text::split;
using decimal_text::too_large;

namespace portable_path {

ScientificDigits scientific_digits(double v, int precision) {
    char buf[32];
    // The format parsed when compiling: a format parsed at run time brings in the writers of
    // every kind of argument, most of the browser build's size.
    const auto r =
        fmt::format_to_n(buf, sizeof buf, FMT_COMPILE("{:.{}e}"), std::abs(v), precision - 1);
    return from_scientific(std::string_view(buf, r.size));
}

double nearest_double(std::string_view decimal) {
    const Decimal d = split(decimal);
    // Beyond these powers of ten the answer needs no reading: 10^309 exceeds the largest double
    // and 10^-325 is less than half the smallest. Between them the exponent handed to strtod
    // stays small.
    if (d.nonzero && d.lead > 309) too_large();
    if (!d.nonzero || d.lead < -325) return d.negative ? -0.0 : 0.0;

    // The significant digits D without the point, so that the value is D × 10^(lead - |D| + 1)
    // and strtod sees no decimal separator, which would be LC_NUMERIC's.
    const std::size_t first = d.mantissa.find_first_not_of("0.");
    const std::size_t last = d.mantissa.find_last_not_of("0.");
    std::string text;
    text.reserve(last - first + 16);
    if (d.negative) text += '-';
    std::int64_t count = 0;
    for (std::size_t i = first; i <= last; ++i) {
        if (d.mantissa[i] == '.') continue;
        text += d.mantissa[i];
        ++count;
    }
    text += 'e';
    char exp_buf[24];
    const auto e = std::to_chars(exp_buf, exp_buf + sizeof exp_buf, d.lead - count + 1);
    text.append(exp_buf, e.ptr);

    const double value = std::strtod(text.c_str(), nullptr);
    if (std::isinf(value)) too_large();
    return value;
}

}  // namespace portable_path

}  // namespace tarrowen
