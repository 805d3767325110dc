// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds and values of the number arithmetic. Every row states both operands with their
// kinds and the expected kind; a wrong kind shows on the screen as a wrong number of digits.
// Expected values that are not plain literals were worked out exactly with Python's fractions
// (the exact result rounded to the expected kind) and are written with the digits that read
// back to that single or double.

#include <cfloat>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/numbers/dynamic_number.h"
#include "number_rows.h"

using tarrowen::Number;

namespace {

using namespace rows;

// 'n' negates and 'f' floors the first operand; the second is then unused.
Number apply(const Number& a, char op, const Number& b) {
    if (op == '+') return a + b;
    if (op == '-') return a - b;
    if (op == '*') return a * b;
    if (op == '/') return a / b;
    if (op == 'n') return -a;
    if (op == 'f') return a.floor();
    throw std::logic_error(std::string("unknown operation ") + op);
}

}  // namespace

TEST_CASE("arithmetic: kinds and values of results") {
    struct Row {
        std::string name;
        Number a;
        char op;
        Number b;
        Number expected;
    };
    const Row table[] = {
        // Empty operands.
        {"empty + empty", E(), '+', E(), I16(0)},
        {"empty - empty", E(), '-', E(), I16(0)},
        {"empty * empty", E(), '*', E(), I16(0)},
        {"empty + int16", E(), '+', I16(5), I16(5)},
        {"int32 - empty", I32(7), '-', E(), I32(7)},
        {"empty - single", E(), '-', S(2.5f), S(-2.5f)},
        {"empty * double", E(), '*', D(3.0), D(0.0)},
        {"double + empty", D(1.5), '+', E(), D(1.5)},
        {"empty - int16 min widens", E(), '-', I16(-32768), I32(32768)},

        // Single with a 32-bit integer is a double, computed exactly (0.1f is
        // 0.100000001490116119384765625).
        {"int32 * single", I32(16777217), '*', S(1.0f), D(16777217.0)},
        {"single + int32", S(0.1f), '+', I32(1), D(1.100000001490116119384765625)},
        {"int32 - single", I32(1), '-', S(0.1f), D(0.899999998509883880615234375)},

        // Any other pair: the higher kind.
        {"int16 + int16", I16(2), '+', I16(3), I16(5)},
        {"int16 + int32 stays int32", I16(1), '+', I32(1), I32(2)},
        {"int32 * int16", I32(-3), '*', I16(4), I32(-12)},
        {"int16 + single", I16(1), '+', S(0.1f), S(1.10000002384185791015625f)},
        {"single * int16 in single", S(0.29f), '*', I16(100), S(29.0f)},
        {"single * 100 for 1.15", S(1.15f), '*', I16(100), S(115.0f)},
        {"single + single", S(0.1f), '+', S(0.2f), S(0.300000011920928955078125f)},
        {"int16 * double", I16(2), '*', D(0.5), D(1.0)},
        {"int32 - double", I32(10), '-', D(0.25), D(9.75)},
        {"single + double", S(0.1f), '+', D(0.2), D(0.30000000149011613)},
        {"double * double", D(0.1), '*', D(3.0), D(0.30000000000000004)},

        // Integers widen when the result does not fit.
        {"int16 max + 1", I16(32767), '+', I16(1), I32(32768)},
        {"int16 min - 1", I16(-32768), '-', I16(1), I32(-32769)},
        {"int16 200 * 200", I16(200), '*', I16(200), I32(40000)},
        {"int16 min * -1", I16(-32768), '*', I16(-1), I32(32768)},
        {"int32 max + 1", I32(2147483647), '+', I16(1), D(2147483648.0)},
        {"int32 - below min", I32(-2147483647), '-', I32(2), D(-2147483649.0)},
        {"int32 65536 squared", I32(65536), '*', I32(65536), D(4294967296.0)},
        {"int32 min squared", I32(-2147483647 - 1), '*', I32(-2147483647 - 1),
         D(4611686018427387904.0)},

        // A single beyond the single range becomes a double (3e38f is
        // 300000000549775575777803994281145270272,
        // FLT_MAX 3.40282346638528859811704183484516925440e38).
        {"single * int16 beyond", S(3e38f), '*', I16(10), D(3.000000005497756e+39)},
        {"single + single beyond", S(3e38f), '+', S(3e38f), D(6.0000000109955115e+38)},
        {"single - single beyond", S(-3e38f), '-', S(3e38f), D(-6.0000000109955115e+38)},
        {"single max * 2", S(FLT_MAX), '*', I16(2), D(6.805646932770577e+38)},

        // Division.
        {"empty / int16", E(), '/', I16(4), S(0.0f)},
        {"int16 / int16", I16(1), '/', I16(3), S(0.3333333432674407958984375f)},
        {"int16 / single", I16(1), '/', S(4.0f), S(0.25f)},
        {"single / single", S(1.0f), '/', S(3.0f), S(0.3333333432674407958984375f)},
        {"empty / single", E(), '/', S(2.0f), S(0.0f)},
        {"int16 / int32", I16(1), '/', I32(3), D(0.3333333333333333)},
        {"int32 / int16", I32(1), '/', I16(3), D(0.3333333333333333)},
        {"int32 / int32", I32(7), '/', I32(2), D(3.5)},
        {"single / int32", S(1.0f), '/', I32(3), D(0.3333333333333333)},
        {"single / double", S(1.0f), '/', D(3.0), D(0.3333333333333333)},
        {"double / int16", D(1.0), '/', I16(3), D(0.3333333333333333)},
        // 0.01f is 0.00999999977648258209228515625.
        {"single / single beyond", S(3e38f), '/', S(0.01f), D(3.0000000725529826e+40)},

        // Negate and floor keep the kind (integers still widen).
        {"negate empty", E(), 'n', E(), E()},
        {"negate int16", I16(5), 'n', E(), I16(-5)},
        {"negate int16 min", I16(-32768), 'n', E(), I32(32768)},
        {"negate int32", I32(5), 'n', E(), I32(-5)},
        {"negate int32 min", I32(-2147483647 - 1), 'n', E(), D(2147483648.0)},
        {"negate single", S(1.5f), 'n', E(), S(-1.5f)},
        {"negate double", D(2.25), 'n', E(), D(-2.25)},
        {"floor empty", E(), 'f', E(), E()},
        {"floor int16", I16(-7), 'f', E(), I16(-7)},
        {"floor int32", I32(9), 'f', E(), I32(9)},
        {"floor single", S(2.7f), 'f', E(), S(2.0f)},
        {"floor negative single", S(-0.5f), 'f', E(), S(-1.0f)},
        {"floor double", D(28.999999999999996), 'f', E(), D(28.0)},
        {"floor negative double", D(-0.4), 'f', E(), D(-1.0)},
    };
    for (const Row& row : table) {
        CAPTURE(row.name);
        CHECK(apply(row.a, row.op, row.b) == row.expected);
    }
}

TEST_CASE("arithmetic: overflow and division by zero") {
    struct Row {
        std::string name;
        Number a;
        char op;
        Number b;
        bool division_by_zero;
    };
    const Row table[] = {
        {"double * int16 overflow", D(1e308), '*', I16(10), false},
        {"double + double overflow", D(1.7e308), '+', D(1.7e308), false},
        {"double - double overflow", D(-1.7e308), '-', D(1.7e308), false},
        {"single * double overflow", S(3e38f), '*', D(1e300), false},
        {"double / double overflow", D(1e300), '/', D(1e-300), false},
        {"int16 / int16 zero", I16(1), '/', I16(0), true},
        {"int16 / empty", I16(7), '/', E(), true},
        {"empty / empty", E(), '/', E(), true},
        {"double / single zero", D(1.0), '/', S(0.0f), true},
        {"single / negative zero", S(0.0f), '/', D(-0.0), true},
        {"int32 / int32 zero", I32(5), '/', I32(0), true},
    };
    for (const Row& row : table) {
        CAPTURE(row.name);
        if (row.division_by_zero) {
            CHECK_THROWS_AS(apply(row.a, row.op, row.b), tarrowen::DivisionByZero);
        } else {
            CHECK_THROWS_AS(apply(row.a, row.op, row.b), tarrowen::OverflowError);
        }
    }
}

TEST_CASE("to_single: nearest single or overflow") {
    struct Row {
        std::string name;
        Number v;
        bool overflows;
        float expected;
    };
    const Row table[] = {
        {"empty", E(), false, 0.0f},
        {"int32 rounds to nearest", I32(16777217), false, 16777216.0f},
        {"double 0.1", D(0.1), false, 0.1f},
        {"just above max rounds down", D(3.4028235e38), false, FLT_MAX},
        {"just below the rounding limit", D(3.4028235677e38), false, FLT_MAX},
        {"tiny becomes zero", D(1e-50), false, 0.0f},
        {"just above the rounding limit", D(3.4028235678e38), true, 0.0f},
        {"1e39", D(1e39), true, 0.0f},
        {"-1e39", D(-1e39), true, 0.0f},
    };
    for (const Row& row : table) {
        CAPTURE(row.name);
        if (row.overflows) {
            CHECK_THROWS_AS(row.v.to_single(), tarrowen::OverflowError);
        } else {
            CHECK(row.v.to_single() == row.expected);  // exact: no approximate comparison
        }
    }
}

TEST_CASE("to_int32: nearest integer, halves to even, or overflow") {
    struct Row {
        std::string name;
        Number v;
        bool overflows;
        std::int32_t expected;
    };
    const Row table[] = {
        {"empty", E(), false, 0},
        {"int16", I16(-32768), false, -32768},
        {"0.5 to even", D(0.5), false, 0},
        {"-0.5 to even", D(-0.5), false, 0},
        {"1.5 to even", D(1.5), false, 2},
        {"2.5 to even", D(2.5), false, 2},
        {"3.5 to even", D(3.5), false, 4},
        {"-2.5 to even", D(-2.5), false, -2},
        {"just below a half", D(1.4999999999999998), false, 1},
        {"single 2.5", S(2.5f), false, 2},
        {"near max", D(2147483647.4), false, 2147483647},
        {"min half to even", D(-2147483648.5), false, -2147483647 - 1},
        {"max half rounds out", D(2147483647.5), true, 0},
        {"below min", D(-2147483649.0), true, 0},
        {"1e10", D(1e10), true, 0},
        {"single 3e9", S(3e9f), true, 0},
    };
    for (const Row& row : table) {
        CAPTURE(row.name);
        if (row.overflows) {
            CHECK_THROWS_AS(row.v.to_int32(), tarrowen::OverflowError);
        } else {
            CHECK(row.v.to_int32() == row.expected);
        }
    }
}
