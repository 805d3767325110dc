// SPDX-License-Identifier: GPL-3.0-or-later
// The two ways of the decimal conversions against each other: the C++ library's to_chars and
// from_chars, and fmt with strtod, which is what the browser build uses. Built where the library
// has both. Traps on any disagreement:
// - the decimal at the start of the input (sign, digits, point, exponent) reads to the same
//   double both ways, or overflows both ways;
// - that double, and the input's first 8 bytes as a double, round to the same digits and
//   exponent both ways, at every precision from 1 to 17.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/numbers/decimal_conversion.h"
#include "core/numbers/dynamic_number.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The longest start of s in the form nearest_double takes, or "" when it has no digit.
std::string_view decimal_prefix(std::string_view s) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < s.size() && is_digit(s[i]))
            ++i;
        return i - from;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t count = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        count += digits();
    }
    if (count == 0) return {};
    const std::size_t mantissa_end = i;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) i = mantissa_end;
    }
    return s.substr(0, i);
}

// Reads text one way: the double's bits, or a mark for an overflow (a NaN's bits, which
// nearest_double never returns).
std::uint64_t read(double (*nearest)(std::string_view), std::string_view text) {
    try {
        const double v = nearest(text);
        check(std::isfinite(v));
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return bits;
    } catch (const tarrowen::OverflowError&) {
        return 0x7ff8'dead'0000'0000u;
    }
}

void compare_digits(double v) {
    if (!std::isfinite(v) || v == 0) return;
    for (int precision = 1; precision <= 17; ++precision) {
        const auto a = tarrowen::charconv_path::scientific_digits(v, precision);
        const auto b = tarrowen::portable_path::scientific_digits(v, precision);
        check(a.count == precision && b.count == precision);
        check(a.exponent == b.exponent && a.digits == b.digits);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text =
        decimal_prefix(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!text.empty()) {
        const std::uint64_t a = read(tarrowen::charconv_path::nearest_double, text);
        const std::uint64_t b = read(tarrowen::portable_path::nearest_double, text);
        check(a == b);
        double v;
        std::memcpy(&v, &a, sizeof v);
        compare_digits(v);
    }
    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        compare_digits(v);
    }
    return 0;
}
