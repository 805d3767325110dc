// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes through the text reader, and the values it gives (and the raw bit patterns of the
// input) through both formatters and back. Traps on any broken promise:
// - parse_number either returns a finite double or throws OverflowError;
// - a formatted value reads back to a value that formats to the same text, within the
//   rounding to the digits shown (15 for a double, 7 for a single, all for an integer);
// - a readout is a blank or «-», then digits in the shape the formatter promises, and reads
//   back to the same value as the plain text.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/numbers/number_text.h"

using tarrowen::Kind;
using tarrowen::Number;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Shape of a readout of a value of the given sign with at most `precision` significant
// digits (0: any number, for integers), and an exponent form for powers of ten below -4
// and from `precision` up.
bool well_formed_readout(const std::string& s, bool negative, int precision) {
    const std::size_t n = s.size();
    if (n < 2 || s[0] != (negative ? '-' : ' ')) return false;
    std::size_t i = 1;
    while (i < n && is_digit(s[i]))
        ++i;
    const std::size_t int_digits = i - 1;
    std::size_t frac_digits = 0;
    std::size_t frac_zeros = 0;  // zeros right after the point
    if (i < n && s[i] == '.') {
        ++i;
        const std::size_t frac_start = i;
        while (i < n && is_digit(s[i]))
            ++i;
        frac_digits = i - frac_start;
        if (frac_digits == 0 || s[i - 1] == '0') return false;  // bare point, trailing zero
        while (frac_zeros < frac_digits && s[frac_start + frac_zeros] == '0')
            ++frac_zeros;
    }
    if (int_digits + frac_digits == 0) return false;
    // No leading zero: «0» alone, otherwise «.5» rather than «0.5» and never «05».
    if (int_digits > 0 && s[1] == '0' && (int_digits > 1 || frac_digits > 0)) return false;
    if (int_digits == 1 && s[1] == '0' && negative) return false;  // «-0»

    if (i == n) {
        if (precision == 0) return frac_digits == 0;
        const std::size_t significant =
            int_digits > 0 ? int_digits + frac_digits : frac_digits - frac_zeros;
        // Positional form only for powers of ten from -4 to precision - 1.
        if (int_digits > static_cast<std::size_t>(precision)) return false;
        if (int_digits == 0 && frac_zeros > 3) return false;
        return significant <= static_cast<std::size_t>(precision);
    }

    // Exponent form: one nonzero digit before the point, «E», a sign, two digits or more.
    if (precision == 0 || int_digits != 1 || s[1] == '0') return false;
    if (1 + frac_digits > static_cast<std::size_t>(precision)) return false;
    if (s[i] != 'E' || i + 1 >= n || (s[i + 1] != '+' && s[i + 1] != '-')) return false;
    const bool exp_negative = s[i + 1] == '-';
    i += 2;
    const std::size_t exp_start = i;
    int exponent = 0;
    while (i < n && is_digit(s[i])) {
        exponent = exponent * 10 + (s[i] - '0');
        if (exponent > 1000) return false;
        ++i;
    }
    const std::size_t exp_digits = i - exp_start;
    if (i != n || exp_digits < 2 || (exp_digits > 2 && s[exp_start] == '0')) return false;
    if (exp_negative) exponent = -exponent;
    return exponent < -4 || exponent >= precision;
}

bool same_bits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// `v` is a single, a double or an integer number, as the program holds it.
void check_texts(const Number& v) {
    const double x = v.to_double();
    const std::string plain = tarrowen::format_plain(v);
    const std::string readout = tarrowen::format_readout(v);

    int precision = 0;
    double digits_bound = 0.0;  // half a unit of the last digit shown, relative
    if (v.kind() == Kind::Single) {
        precision = 7;
        digits_bound = 5e-7;
    } else if (v.kind() == Kind::Double) {
        precision = 15;
        digits_bound = 5e-15;
    }
    check(well_formed_readout(readout, x < 0, precision));

    double back = 0.0;
    try {
        back = tarrowen::parse_number(plain);
    } catch (const tarrowen::OverflowError&) {
        // The only texts out of range: the few largest doubles, whose 15 digits round up
        // past the largest double, 1.79769313486232E+308.
        check(plain == "1.79769313486232E+308" || plain == "-1.79769313486232E+308");
        return;
    }
    check(std::isfinite(back));
    check(same_bits(back, tarrowen::parse_number(readout)));

    // Seven digits do not tell every single apart: narrowed back to a single, the value read
    // could land on a neighbour with other digits. The program reads texts as doubles, and as
    // a double the value is stable: its own text reads back to it exactly.
    Number again;
    switch (v.kind()) {
        case Kind::Single:
            check(
                same_bits(tarrowen::parse_number(tarrowen::format_plain(Number::dbl(back))), back));
            again = v;
            break;
        case Kind::Double:
            again = Number::dbl(back);
            break;
        case Kind::Int16:
            again = Number::int16(static_cast<std::int16_t>(back));
            break;
        case Kind::Int32:
            again = Number::int32(static_cast<std::int32_t>(back));
            break;
        case Kind::Empty:
            break;
    }
    check(tarrowen::format_plain(again) == plain);
    // The rounding to the digits shown, then the rounding of that decimal to the nearest
    // double (relative 2^-53, or half the smallest subnormal).
    const double bound =
        digits_bound * std::abs(x) + DBL_EPSILON * std::abs(back) + 4.9406564584124654e-324;
    check(std::abs(back - x) <= bound);
}

void check_value(double v) {
    if (!std::isfinite(v)) return;
    check_texts(Number::dbl(v));
    if (std::abs(v) <= static_cast<double>(FLT_MAX)) {
        check_texts(Number::single(static_cast<float>(v)));
    }
    // The readout rounding keeps the kind; a product beyond the double range is an overflow.
    for (const std::int16_t k : {std::int16_t{100}, std::int16_t{1000}}) {
        try {
            const Number f = tarrowen::floor_to(Number::dbl(v), k);
            check(f.kind() == Kind::Double);
            check_texts(f);
        } catch (const tarrowen::OverflowError&) {
            check(std::abs(v) * k > DBL_MAX / 2);
        }
    }
    if (std::abs(v) <= static_cast<double>(FLT_MAX)) {
        // A single stays a single unless the product leaves the single range.
        const Number f = tarrowen::floor_to(Number::single(static_cast<float>(v)), 1000);
        check(f.kind() == Kind::Single || std::abs(v) * 1000 > FLT_MAX / 2);
        check_texts(f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const double v = tarrowen::parse_number(text);
        check(std::isfinite(v));
        check_value(v);
    } catch (const tarrowen::OverflowError&) {
        // A decimal beyond the double range, or more than 32 bits after «&H» or «&O».
    }

    // The same bytes as bit patterns, to reach every double, single and integer.
    if (size >= sizeof(double)) {
        double d;
        std::memcpy(&d, data, sizeof d);
        check_value(d);
    }
    if (size >= sizeof(float)) {
        float f;
        std::memcpy(&f, data, sizeof f);
        if (std::isfinite(f)) check_texts(Number::single(f));
        std::int32_t i;
        std::memcpy(&i, data, sizeof i);
        check_texts(Number::int32(i));
        check_texts(Number::int16(static_cast<std::int16_t>(i)));
    }
    return 0;
}
