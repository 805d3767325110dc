// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbers/decimal_text.h"

#include <algorithm>

#include "core/numbers/dynamic_number.h"

namespace tarrowen::decimal_text {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// An exponent this large already puts any mantissa far outside the double range; digits
// beyond it are read but no longer added, so the sums below cannot overflow.
constexpr std::int64_t exponent_cap = 1'000'000'000;

}  // namespace

void too_large() {
    throw OverflowError("the number is too large");
}

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

}  // namespace tarrowen::decimal_text
