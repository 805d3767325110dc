// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbers/decimal_conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>

// fmt is used from its headers alone, so that the cross compilers need no fmt library built
// for them.
#define FMT_HEADER_ONLY
#include <fmt/compile.h>
#include <fmt/format.h>

#include "core/numbers/dynamic_number.h"

namespace tarrowen {

namespace {

[[noreturn]] void too_large() {
    throw OverflowError("the number is too large");
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// An exponent this large already puts any mantissa far outside the double range; digits
// beyond it are read but no longer added, so the sums below cannot overflow.
constexpr std::int64_t exponent_cap = 1'000'000'000;

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

Decimal split(std::string_view s) {
    Decimal d;
    std::size_t i = 0;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        d.negative = s[0] == '-';
        i = 1;
    }
    d.unsigned_text = s.substr(i);
    const std::size_t e = s.find_first_of("Ee", i);
    d.mantissa = s.substr(i, e == std::string_view::npos ? std::string_view::npos : e - i);

    std::int64_t exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t j = e + 1;
        const bool exp_negative = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        for (; j < s.size(); ++j) {
            if (exponent < exponent_cap) exponent = exponent * 10 + (s[j] - '0');
        }
        if (exp_negative) exponent = -exponent;
    }

    const std::size_t first = d.mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) return d;
    d.nonzero = true;
    const std::size_t point = std::min(d.mantissa.find('.'), d.mantissa.size());
    d.lead = first < point ? static_cast<std::int64_t>(point - first) - 1
                           : -static_cast<std::int64_t>(first - point);
    d.lead += exponent;
    return d;
}

// The digits and exponent of a text in the layout that both to_chars and fmt give for
// scientific notation: [-]d[.ddd]e±dd.
ScientificDigits from_scientific(std::string_view sci) {
    ScientificDigits out;
    std::size_t k = 0;
    for (; k < sci.size() && sci[k] != 'e'; ++k) {
        if (is_digit(sci[k]) && out.count < static_cast<int>(out.digits.size())) {
            out.digits[static_cast<std::size_t>(out.count++)] = sci[k];
        }
    }
    int magnitude = 0;
    for (std::size_t j = k + 2; j < sci.size(); ++j)
        magnitude = magnitude * 10 + (sci[j] - '0');
    out.exponent = k + 1 < sci.size() && sci[k + 1] == '-' ? -magnitude : magnitude;
    return out;
}

}  // namespace

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
