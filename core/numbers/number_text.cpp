// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbers/number_text.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <system_error>

namespace tarrowen {

namespace {

[[noreturn]] void too_large() {
    throw OverflowError("the number is too large");
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The value of c as a digit of the given base (8 or 16), or -1.
int radix_digit(char c, int base) {
    int d = -1;
    if (c >= '0' && c <= '9') {
        d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        d = c - 'A' + 10;
    }
    return d < base ? d : -1;
}

// The digits after «&H» or «&O». The value is checked after every digit, so a long run of
// leading zeros costs only time and a long run of other digits stops at the 33rd bit.
double parse_radix(std::string_view s, int base) {
    std::uint64_t value = 0;
    for (const char c : s) {
        const int d = radix_digit(c, base);
        if (d < 0) break;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFu) too_large();
    }
    // Wrapping to the signed type is the two's-complement reading (defined since C++20).
    if (value <= 0xFFFFu) return static_cast<std::int16_t>(value);
    return static_cast<std::int32_t>(value);
}

// An exponent this large already puts any mantissa far outside the double range; digits
// beyond it are read but no longer added, so the sum below cannot overflow.
constexpr std::int64_t exponent_cap = 1'000'000'000;

double parse_decimal(std::string_view s) {
    const std::size_t n = s.size();
    std::size_t i = 0;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    // from_chars takes no «+», so the sign stays outside the extent handed to it.
    const std::size_t start = i;

    // Power of ten of the first significant digit of the mantissa as written; it decides
    // which way a value out of the double range went.
    std::int64_t lead = 0;
    bool nonzero = false;
    while (i < n && is_digit(s[i])) {
        if (!nonzero && s[i] != '0') {
            nonzero = true;
            lead = static_cast<std::int64_t>(i - start);
        }
        ++i;
    }
    const std::size_t int_digits = i - start;
    if (nonzero) lead = static_cast<std::int64_t>(int_digits) - 1 - lead;
    std::size_t frac_digits = 0;
    if (i < n && s[i] == '.') {
        const std::size_t frac_start = ++i;
        while (i < n && is_digit(s[i])) {
            if (!nonzero && s[i] != '0') {
                nonzero = true;
                lead = -static_cast<std::int64_t>(i - frac_start) - 1;
            }
            ++i;
        }
        frac_digits = i - frac_start;
    }
    if (int_digits == 0 && frac_digits == 0) return 0.0;

    std::size_t end = i;
    std::int64_t exponent = 0;
    if (i < n && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        bool exp_negative = false;
        if (j < n && (s[j] == '+' || s[j] == '-')) {
            exp_negative = s[j] == '-';
            ++j;
        }
        if (j < n && is_digit(s[j])) {
            while (j < n && is_digit(s[j])) {
                if (exponent < exponent_cap) exponent = exponent * 10 + (s[j] - '0');
                ++j;
            }
            if (exp_negative) exponent = -exponent;
            end = j;
        }
    }

    double value = 0.0;
    const auto result = std::from_chars(s.data() + start, s.data() + end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Only a nonzero mantissa can leave the range: upwards if its first digit stands at
        // a positive power of ten, downwards (to zero) otherwise.
        if (lead + exponent > 0) too_large();
        value = 0.0;
    }
    return negative ? -value : value;
}

// The digits of a nonzero floating-point value rounded to `precision` significant digits,
// in positional or exponent form; exponent form from 10^precision upwards and below 10^-4.
template <typename Float>
std::string float_digits(Float v, int precision) {
    // Both zeros, so that negative zero is written without its sign.
    if (v == 0) return "0";
    char buf[64];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, precision - 1);
    // buf holds [-]d[.ddd]e±xx, already correctly rounded.
    const std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e_pos = sci.find('e');
    const bool negative = sci.front() == '-';

    std::string digits;
    for (std::size_t k = 0; k < e_pos; ++k) {
        if (is_digit(sci[k])) digits += sci[k];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    int exponent = 0;
    const char* exp_begin = sci.data() + e_pos + 2;  // after "e" and its sign
    std::from_chars(exp_begin, sci.data() + sci.size(), exponent);
    if (sci[e_pos + 1] == '-') exponent = -exponent;

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= precision) {
        out += digits.front();
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) out += '0';
        char exp_buf[8];
        const auto e = std::to_chars(exp_buf, exp_buf + sizeof exp_buf, magnitude);
        out.append(exp_buf, e.ptr);
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto int_len = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= int_len) {
            out += digits;
            out.append(int_len - digits.size(), '0');
        } else {
            out.append(digits, 0, int_len);
            out += '.';
            out.append(digits, int_len);
        }
    }
    return out;
}

std::string integer_digits(double v) {
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<std::int32_t>(v));
    return std::string(buf, r.ptr);
}

}  // namespace

double parse_number(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (const char c : text) {
        if (!is_blank(c)) s += c;
    }
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return parse_radix(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o') return parse_radix(std::string_view(s).substr(2), 8);
    }
    return parse_decimal(s);
}

std::string format_plain(const Number& v) {
    switch (v.kind()) {
        case Kind::Empty:
            return "";
        case Kind::Int16:
        case Kind::Int32:
            return integer_digits(v.to_double());
        case Kind::Single:
            return float_digits(static_cast<float>(v.to_double()), 7);
        case Kind::Double:
            return float_digits(v.to_double(), 15);
    }
    return "";
}

std::string format_readout(const Number& v) {
    std::string text = v.is_empty() ? std::string("0") : format_plain(v);
    if (text.starts_with("0.")) {
        text.erase(0, 1);
    } else if (text.starts_with("-0.")) {
        text.erase(1, 1);
    }
    if (text.front() != '-') text.insert(0, 1, ' ');
    return text;
}

Number floor_to(const Number& v, std::int16_t k) {
    const Number scale = Number::int16(k);
    return (v * scale).floor() / scale;
}

}  // namespace tarrowen
