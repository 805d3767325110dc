// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shorthands for the table rows of the number tests, and the way QCOMPARE prints a number.
#include <QtTest>

#include <cstdint>

#include "core/numbers/dynamic_number.h"

Q_DECLARE_METATYPE(tarrowen::Number)

namespace tarrowen {
// Lets QCOMPARE print "Single(1.15)" rather than a byte dump.
inline char* toString(const Number& n) {
    return qstrdup(n.describe().c_str());
}
}  // namespace tarrowen

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
}  // namespace rows
