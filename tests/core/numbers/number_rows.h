// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shorthands for the table rows of the number tests, and the way a failed check prints a
// number and a double.
#include <doctest/doctest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/numbers/dynamic_number.h"

// Lets a failed CHECK print "Single(1.15)" rather than "{?}".
template <>
struct doctest::StringMaker<tarrowen::Number> {
    static doctest::String convert(const tarrowen::Number& n) { return n.describe().c_str(); }
};

namespace rows {
using tarrowen::Number;
inline constexpr auto E = [] { return Number(); };
inline constexpr auto I16 = &Number::int16;
inline constexpr auto I32 = &Number::int32;
inline constexpr auto S = &Number::single;
inline constexpr auto D = &Number::dbl;

// `before`, then n times c, then `after`: the long texts. Built by appending, since GCC 12 at -O3
// warns falsely (-Wrestrict) on a literal + std::string.
inline std::string with_run(const char* before, char c, std::size_t n, const char* after = "") {
    std::string s(before);
    s.append(n, c);
    return s.append(after);
}

inline std::uint64_t bits(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}
// A double for a failure message: its shortest digits and its bits.
inline std::string show(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, " [bits %016llx]", static_cast<unsigned long long>(bits(v)));
    return (std::isfinite(v) ? D(v).describe() : std::string("not finite")) + buf;
}
}  // namespace rows
