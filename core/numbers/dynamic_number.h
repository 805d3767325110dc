// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The number in which every value of the motion is held: empty, a 16-bit or 32-bit integer,
// a single or a double. The kind of every result follows fixed rules, and the kind is visible
// on the screen (a single is written with 7 significant digits, a double with 15), so the
// arithmetic below keeps it exactly.
//
// Kinds of results of add, subtract and multiply:
//   both empty                    -> 16-bit integer 0
//   one empty                     -> the other operand's kind, the empty one counting as 0
//   single with 32-bit integer    -> double
//   any other pair                -> the higher kind (int16 < int32 < single < double)
// Divide: both operands empty, int16 or single -> single; any other pair -> double.
// Negate and floor keep the operand's kind.
//
// Widening: an integer result that does not fit its kind becomes the next wider one (int16 ->
// int32 -> double); a single result beyond the single range becomes a double. A double result
// beyond the double range throws OverflowError, and so does division by zero
// (DivisionByZero, a kind of ArithmeticError).
//
// Example: a single t times the int16 100 is a single; 0.29f * 100 rounds to exactly 29.0f,
// whereas in double it would be 28.999999...

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tarrowen {

enum class Kind { Empty, Int16, Int32, Single, Double };

const char* kind_name(Kind k);

// Any failure of the number arithmetic or of a conversion out of a number.
class ArithmeticError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A result or a conversion that does not fit: a double beyond about 1.8E+308, a value too
// large for a single (about 3.4E+38) or for a 32-bit integer.
class OverflowError : public ArithmeticError {
  public:
    using ArithmeticError::ArithmeticError;
};

class DivisionByZero : public ArithmeticError {
  public:
    using ArithmeticError::ArithmeticError;
};

class Number {
  public:
    Number() = default;  // empty

    static Number int16(std::int16_t v) { return Number(Kind::Int16, v); }
    static Number int32(std::int32_t v) { return Number(Kind::Int32, v); }
    static Number single(float v) { return Number(Kind::Single, v); }
    static Number dbl(double v);  // throws OverflowError for an infinity or NaN

    Kind kind() const { return kind_; }
    bool is_empty() const { return kind_ == Kind::Empty; }

    // Exact for every kind; empty gives 0.
    double to_double() const { return value_; }
    // Nearest single; empty gives 0. Throws OverflowError beyond the single range.
    float to_single() const;
    // Nearest integer, halves to even; empty gives 0. Throws OverflowError outside 32 bits.
    std::int32_t to_int32() const;

    Number operator-() const;
    Number floor() const;

    friend Number operator+(const Number& a, const Number& b);
    friend Number operator-(const Number& a, const Number& b);
    friend Number operator*(const Number& a, const Number& b);
    friend Number operator/(const Number& a, const Number& b);

    // Same kind and same value (negative zero equals zero).
    friend bool operator==(const Number& a, const Number& b) {
        return a.kind_ == b.kind_ && a.value_ == b.value_;
    }

    // For test messages: "Single(1.15)" and the like, with the fewest digits that read back
    // to the value (defined with the number texts).
    std::string describe() const;

  private:
    Number(Kind k, double v) : kind_(k), value_(v) {}

    Kind kind_ = Kind::Empty;
    // Every kind's value is held exactly in a double: int16, int32 and single all fit.
    double value_ = 0.0;
};

}  // namespace tarrowen
