// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbers/dynamic_number.h"

#include <cmath>
#include <limits>

namespace tarrowen {

namespace {

int rank(Kind k) {
    switch (k) {
        case Kind::Empty:
            return 0;
        case Kind::Int16:
            return 1;
        case Kind::Int32:
            return 2;
        case Kind::Single:
            return 3;
        case Kind::Double:
            return 4;
    }
    return 0;
}

bool is_integer(Kind k) {
    return k == Kind::Int16 || k == Kind::Int32;
}

Kind additive_kind(Kind a, Kind b) {
    if (a == Kind::Empty && b == Kind::Empty) return Kind::Int16;
    if (a == Kind::Empty) return b;
    if (b == Kind::Empty) return a;
    if ((a == Kind::Single && b == Kind::Int32) || (a == Kind::Int32 && b == Kind::Single)) {
        return Kind::Double;
    }
    return rank(a) >= rank(b) ? a : b;
}

[[noreturn]] void overflow(const char* what) {
    throw OverflowError(std::string("overflow in ") + what);
}

}  // namespace

const char* kind_name(Kind k) {
    switch (k) {
        case Kind::Empty:
            return "Empty";
        case Kind::Int16:
            return "Int16";
        case Kind::Int32:
            return "Int32";
        case Kind::Single:
            return "Single";
        case Kind::Double:
            return "Double";
    }
    return "?";
}

Number Number::dbl(double v) {
    if (!std::isfinite(v)) overflow("a double value");
    return Number(Kind::Double, v);
}

float Number::to_single() const {
    const auto f = static_cast<float>(value_);
    if (std::isinf(f)) throw OverflowError("value too large for a single");
    return f;
}

std::int32_t Number::to_int32() const {
    // Halves go to the even neighbour, as under the default rounding mode.
    const double r = std::nearbyint(value_);
    if (r < -2147483648.0 || r > 2147483647.0) {
        throw OverflowError("value too large for a 32-bit integer");
    }
    return static_cast<std::int32_t>(r);
}

// Integer results start at the smallest kind the operands allow and widen only when needed:
// an int32 result that happens to fit 16 bits stays an int32.
static Number integer_result(std::int64_t v, Kind at_least) {
    if (at_least == Kind::Int16 && v >= INT16_MIN && v <= INT16_MAX) {
        return Number::int16(static_cast<std::int16_t>(v));
    }
    if (v >= INT32_MIN && v <= INT32_MAX) return Number::int32(static_cast<std::int32_t>(v));
    return Number::dbl(static_cast<double>(v));
}

// `exact` is the double result of an operation on two singles (or a single and a 16-bit
// integer). Rounding it to single gives the correctly rounded single result: a double holds
// more than twice the bits of a single, so the double rounding is harmless.
static Number single_result(double exact, const char* what) {
    if (!std::isfinite(exact)) overflow(what);
    const auto f = static_cast<float>(exact);
    if (std::isinf(f)) return Number::dbl(exact);
    return Number::single(f);
}

static Number double_result(double r, const char* what) {
    if (!std::isfinite(r)) overflow(what);
    return Number::dbl(r);
}

template <typename IntOp, typename RealOp>
static Number arithmetic(const Number& a, const Number& b, IntOp int_op, RealOp real_op,
                         const char* what) {
    const Kind k = additive_kind(a.kind(), b.kind());
    const double x = a.to_double();
    const double y = b.to_double();
    if (is_integer(k)) {
        return integer_result(int_op(static_cast<std::int64_t>(x), static_cast<std::int64_t>(y)),
                              k);
    }
    if (k == Kind::Single) return single_result(real_op(x, y), what);
    return double_result(real_op(x, y), what);
}

Number operator+(const Number& a, const Number& b) {
    return arithmetic(
        a, b, [](std::int64_t x, std::int64_t y) { return x + y; },
        [](double x, double y) { return x + y; }, "addition");
}

Number operator-(const Number& a, const Number& b) {
    return arithmetic(
        a, b, [](std::int64_t x, std::int64_t y) { return x - y; },
        [](double x, double y) { return x - y; }, "subtraction");
}

Number operator*(const Number& a, const Number& b) {
    return arithmetic(
        a, b, [](std::int64_t x, std::int64_t y) { return x * y; },
        [](double x, double y) { return x * y; }, "multiplication");
}

Number operator/(const Number& a, const Number& b) {
    const auto single_side = [](Kind k) {
        return k == Kind::Empty || k == Kind::Int16 || k == Kind::Single;
    };
    if (b.to_double() == 0.0) throw DivisionByZero("division by zero");
    const double q = a.to_double() / b.to_double();
    if (single_side(a.kind()) && single_side(b.kind())) return single_result(q, "division");
    return double_result(q, "division");
}

Number Number::operator-() const {
    switch (kind_) {
        case Kind::Empty:
            return *this;
        case Kind::Int16:
        case Kind::Int32:
            return integer_result(-static_cast<std::int64_t>(value_), kind_);
        case Kind::Single:
            return single(-static_cast<float>(value_));
        case Kind::Double:
            return Number(Kind::Double, -value_);
    }
    return *this;
}

Number Number::floor() const {
    if (kind_ == Kind::Single || kind_ == Kind::Double) return Number(kind_, std::floor(value_));
    return *this;
}

}  // namespace tarrowen
