// SPDX-License-Identifier: GPL-3.0-or-later
// The two decimal conversions, on every way that this build has (both where the C++ library has
// floating-point to_chars and from_chars), against figures worked out with Python's decimal and
// fractions: the exact binary value rounded half to even.

#include <cfloat>
#include <string>
#include <vector>

#include "core/numbers/decimal_conversion.h"
#include "number_rows.h"

namespace tc = tarrowen;
using namespace rows;

namespace {

struct Way {
    std::string name;
    tc::ScientificDigits (*digits)(double, int);
    double (*read)(std::string_view);
};

const std::vector<Way> ways = {
#if TARROWEN_HAVE_FLOAT_CHARCONV
    {"to_chars/from_chars", tc::charconv_path::scientific_digits,
     tc::charconv_path::nearest_double},
#endif
#if TARROWEN_BUILT_PORTABLE_PATH
    {"fmt/strtod", tc::portable_path::scientific_digits, tc::portable_path::nearest_double},
#endif
};

}  // namespace

TEST_CASE("scientific_digits") {
    struct Row {
        double v;
        int precision;
        std::string digits;
        int exponent;
    };
    const Row table[] = {
        {0.1, 15, "100000000000000", -1},
        {0.1, 17, "10000000000000001", -1},
        {2.0 / 3, 15, "666666666666667", -1},
        {999999999999999.9, 15, "100000000000000", 15},
        {100000000000000.5, 15, "100000000000000", 14},  // ties to even: down
        {100000000000001.5, 15, "100000000000002", 14},  // and up
        {1.15f, 7, "1150000", 0},
        {1234568.5f, 7, "1234568", 6},
        {1234567.5f, 7, "1234568", 6},
        {-2.5, 1, "2", 0},
        {0.125, 2, "12", -1},
        {0.375, 2, "38", -1},
        {4.9406564584124654e-324, 15, "494065645841247", -324},
        {DBL_MAX, 15, "179769313486232", 308},
        {DBL_MAX, 17, "17976931348623157", 308},
        {FLT_MAX, 7, "3402823", 38},
    };
    for (const Way& way : ways) {
        for (const Row& row : table) {
            INFO(way.name, ": ", row.digits, " at precision ", row.precision);
            const tc::ScientificDigits d = way.digits(row.v, row.precision);
            CHECK(std::string(d.digits.data(), static_cast<std::size_t>(d.count)) == row.digits);
            CHECK(d.exponent == row.exponent);
        }
    }
}

TEST_CASE("nearest_double") {
    struct Row {
        std::string text;
        bool overflows;
        double expected;
    };
    const Row table[] = {
        {"0.1", false, 0.1},
        {"+1.5", false, 1.5},  // a point, whatever LC_NUMERIC says
        {"-1.5e1", false, -15.0},
        {"9007199254740993", false, 9007199254740992.0},  // ties to even: down
        {"9007199254740995", false, 9007199254740996.0},  // and up
        {"1.7976931348623158E308", false, DBL_MAX},
        {"1.7976931348623159E308", true, 0.0},
        {"-2E308", true, 0.0},
        {with_run("1E1", '0', 400), true, 0.0},
        // Half the smallest double is 2.47032822920623272088...E-324.
        {"2.4703282292062328E-324", false, 4.9406564584124654e-324},
        {"2.4703282292062327E-324", false, 0.0},
        {"-1E-400", false, -0.0},
        {"-0.000", false, -0.0},
        {"0e999999999999", false, 0.0},
        {with_run("0.", '0', 400, "1E401"), false, 1.0},
        {with_run(".", '3', 10000), false, 0.3333333333333333},
        {with_run("1", '0', 10000, "E-10000"), false, 1.0},
    };
    for (const Way& way : ways) {
        for (const Row& row : table) {
            INFO(way.name, ": ", row.text.substr(0, 40));
            if (row.overflows) {
                CHECK_THROWS_AS(way.read(row.text), tarrowen::OverflowError);
            } else {
                const double actual = way.read(row.text);
                INFO("read ", show(actual), ", expected ", show(row.expected));
                CHECK(bits(actual) == bits(row.expected));
            }
        }
    }
}
