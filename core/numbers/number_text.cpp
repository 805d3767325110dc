// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbers/number_text.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/numbers/decimal_conversion.h"

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

// The extent of the decimal at the start of s, as nearest_double takes it: sign, digits, point
// and digits, and an exponent only when a digit follows its letter and sign. 0 when the
// mantissa has no digit.
std::size_t decimal_extent(std::string_view s) {
    const std::size_t n = s.size();
    std::size_t i = 0;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    for (; i < n && is_digit(s[i]); ++i)
        ++digits;
    if (i < n && s[i] == '.') {
        for (++i; i < n && is_digit(s[i]); ++i)
            ++digits;
    }
    if (digits == 0) return 0;
    if (i < n && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < n && is_digit(s[j])) {
            while (j < n && is_digit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// The digits of a floating-point value rounded to `precision` significant digits, in
// positional or exponent form; exponent form from 10^exponent_from upwards and below 10^-4.
std::string float_digits(double v, int precision, int exponent_from) {
    // Both zeros, so that negative zero is written without its sign.
    if (v == 0) return "0";
    const ScientificDigits sci = scientific_digits(v, precision);
    std::string_view digits(sci.digits.data(), static_cast<std::size_t>(sci.count));
    while (digits.size() > 1 && digits.back() == '0')
        digits.remove_suffix(1);
    const int exponent = sci.exponent;

    std::string out = v < 0 ? "-" : "";
    if (exponent < -4 || exponent >= exponent_from) {
        out += digits.front();
        if (digits.size() > 1) {
            out += '.';
            out.append(digits.substr(1));
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
            out.append(digits.substr(0, int_len));
            out += '.';
            out.append(digits.substr(int_len));
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
    const std::size_t n = decimal_extent(s);
    return n == 0 ? 0.0 : nearest_double(std::string_view(s).substr(0, n));
}

std::string format_plain(const Number& v) {
    switch (v.kind()) {
        case Kind::Empty:
            return "";
        case Kind::Int16:
        case Kind::Int32:
            return integer_digits(v.to_double());
        case Kind::Single:
            // The single's value widened, exactly: its own digits.
            return float_digits(v.to_double(), 7, 7);
        case Kind::Double:
            return float_digits(v.to_double(), 15, 15);
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

// Beside the texts rather than the arithmetic, since it writes one: the fewest significant
// digits that read back to the value (as a single, for a single), the same on every target.
std::string Number::describe() const {
    if (kind_ == Kind::Empty) return "Empty";
    std::string text;
    for (int precision = 1; precision <= 17; ++precision) {
        text = float_digits(value_, precision, 17);
        double back = 0.0;
        try {
            back = nearest_double(text);
        } catch (const OverflowError&) {
            continue;  // the few largest doubles, rounded up beyond the range
        }
        if (kind_ == Kind::Single ? static_cast<float>(back) == static_cast<float>(value_)
                                  : back == value_) {
            break;
        }
    }
    return std::string(kind_name(kind_)) + "(" + text + ")";
}

Number floor_to(const Number& v, std::int16_t k) {
    const Number scale = Number::int16(k);
    return (v * scale).floor() / scale;
}

}  // namespace tarrowen
