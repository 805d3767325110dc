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
inline Number E() {
    return Number();
}
inline Number I16(std::int16_t v) {
    return Number::int16(v);
}
inline Number I32(std::int32_t v) {
    return Number::int32(v);
}
inline Number S(float v) {
    return Number::single(v);
}
inline Number D(double v) {
    return Number::dbl(v);
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
