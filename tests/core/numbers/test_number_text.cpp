// SPDX-License-Identifier: GPL-3.0-or-later
// Texts in and out of the panel: the reader, both formatters and the rounding of the readouts.
// The whole suite runs under the locale that the environment names (it is registered a second
// time with a comma locale), since none of these conversions may depend on it.

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/numbers/number_text.h"
#include "number_rows.h"

using tarrowen::Kind;
using tarrowen::Number;

namespace {

using namespace rows;

// The environment's locale, set before any test runs. A failure counts only where LC_ALL asks
// for a locale: then the comma-locale registration must not quietly test the C locale again.
// (Elsewhere, e.g. in mingw's C++ library, which knows no locale but "C", it is no fault.)
std::string set_environment_locale() {
    const char* requested = std::getenv("LC_ALL");
    const std::string name = requested ? requested : "";
    std::string error;
    if (std::setlocale(LC_ALL, "") == nullptr) {
        error = "the C library cannot set the locale LC_ALL=" + name;
    } else {
        try {
            std::locale::global(std::locale(""));
        } catch (const std::runtime_error& e) {
            error = "std::locale(\"\") failed for LC_ALL=" + name + ": " + e.what();
        }
    }
    return name.empty() ? std::string() : error;
}
const std::string locale_error = set_environment_locale();

}  // namespace

TEST_CASE("the locale that LC_ALL asks for is in force") {
    REQUIRE_MESSAGE(locale_error.empty(), locale_error);
    const char* requested = std::getenv("LC_ALL");
    if (requested && std::strncmp(requested, "de_DE", 5) == 0) {
        CHECK(std::string(std::localeconv()->decimal_point) == ",");
        CHECK(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point() == ',');
    }
}

TEST_CASE("parse_number") {
    struct Row {
        std::string name;
        std::string input;
        double expected;
    };
    const Row table[] = {
        {"2", "2", 2.0},
        {"blanks inside", " 2 45 7", 2457.0},
        {"tab and line feed", "\t1\n2", 12.0},
        {"blanks around E", "1 E 3", 1000.0},
        {"carriage return ends", "1\r2", 1.0},
        {"trailing letters", "12abc", 12.0},
        {"comma ends", "1,5", 1.0},
        {"exponent", "1.5E3", 1500.0},
        {"lower-case exponent", "1e+2", 100.0},
        {"negative exponent", "1E-2", 0.01},
        {"no leading zero", "-.5", -0.5},
        {"plus sign", "+.5", 0.5},
        {"second point ends", "1.2.3", 1.2},
        {"E alone", "1E", 1.0},
        {"E with sign alone", "1E+", 1.0},
        {"E then letter", "1E-x", 1.0},
        {"trailing point", "5.", 5.0},
        {"point then exponent", "1.e2", 100.0},
        {"fraction exponent", ".5e1", 5.0},
        {"empty", "", 0.0},
        {"letters", "abc", 0.0},
        {"point", ".", 0.0},
        {"minus", "-", 0.0},
        {"point exponent", ".e5", 0.0},
        {"exponent alone", "e5", 0.0},
        {"two signs", "+-1", 0.0},
        {"currency", "$1", 0.0},
        {"inf is not a number", "inf", 0.0},
        {"nan is not a number", "nan", 0.0},
        {"0x is not hex", "0x10", 0.0},
        {"D is no exponent", "1D3", 1.0},
        {"d is no exponent", "1d3", 1.0},
        {"negative zero", "-0", -0.0},
        {"nearest to 0.1", "0.1", 0.1},
        {"tie to even", "9007199254740993", 9007199254740992.0},
        {"just above the tie", "9007199254740993.000000000000000000000001", 9007199254740994.0},
        {"largest double", "1.7976931348623157E308", DBL_MAX},
        {"subnormal", "1E-310", 1e-310},
        {"rounds up to the smallest", "3E-324", 4.9406564584124654e-324},
        {"rounds down to zero", "2E-324", 0.0},
        {"underflow", "1E-400", 0.0},
        {"negative underflow", "-1E-400", -0.0},

        {"&HFFFF", "&HFFFF", -1.0},
        {"&H10", "&H10", 16.0},
        {"&O17", "&O17", 15.0},
        {"&H", "&H", 0.0},
        {"&HFFFFFFFF", "&HFFFFFFFF", -1.0},
        {"&H10000", "&H10000", 65536.0},
        {"&H7FFF", "&H7FFF", 32767.0},
        {"&H8000", "&H8000", -32768.0},
        {"&H80000000", "&H80000000", -2147483648.0},
        {"&H7FFFFFFF", "&H7FFFFFFF", 2147483647.0},
        {"lower case hex", "&hff", 255.0},
        {"lower case octal", "&o777", 511.0},
        {"&O177777", "&O177777", -1.0},
        {"&O37777777777", "&O37777777777", -1.0},
        {"hex leading zeros", "&H0000000000000010", 16.0},
        {"hex stops at G", "&H1G", 1.0},
        {"octal stops at 8", "&O8", 0.0},
        {"hex with blanks", " & H 1 F", 31.0},
        {"hex takes no sign", "&H-1", 0.0},
        {"sign before hex", "-&H1", 0.0},
        {"ampersand alone", "&", 0.0},

        // Long texts.
        {"10,000 leading zeros", with_run("", '0', 10000, "1"), 1.0},
        {"10,000 zeros after the point", with_run("0.", '0', 10000, "1"), 0.0},
        {"10,000 blanks", with_run("", ' ', 10000, "7"), 7.0},
        {"10,000 zeros, exponent back", with_run("1", '0', 10000, "E-10000"), 1.0},
        {"fraction, exponent back", with_run("0.", '0', 9998, "1E10000"), 10.0},
        {"exponent with 10,000 zeros", with_run("1E", '0', 10000, "5"), 1e5},
        {"exponent of 10,000 nines, negative", with_run("1E-", '9', 10000), 0.0},
        {"10,000 threes after the point", with_run(".", '3', 10000), 1.0 / 3.0},
        {"tie broken by the 10,000th digit", with_run("9007199254740993.", '0', 10000, "1"),
         9007199254740994.0},
        {"hex with 10,000 leading zeros", with_run("&H", '0', 10000, "1"), 1.0},
        {"70,000 zeros, large exponent", with_run("0.", '0', 70000, "1E70005"), 1e4},
    };
    for (const Row& row : table) {
        CAPTURE(row.name);
        const double actual = tarrowen::parse_number(row.input);
        INFO("read ", show(actual), ", expected ", show(row.expected));
        CHECK(bits(actual) == bits(row.expected));  // the same double, the same sign of zero
    }
}

TEST_CASE("parse_number: out of range") {
    struct Row {
        std::string name;
        std::string input;
    };
    const Row table[] = {
        {"1E400", "1E400"},
        {"-2E308", "-2E308"},
        {"just beyond the largest", "1.7976931348623159E308"},
        // The text of the few largest doubles: rounded to 15 digits they lie beyond the range.
        {"largest double as shown", "1.79769313486232E+308"},
        {"huge exponent", "1E99999999999999999999"},
        {"exponent of 10,000 nines", with_run("1E", '9', 10000)},
        {"1 and 10,000 zeros", with_run("1", '0', 10000)},
        {"10,000 nines", with_run("", '9', 10000)},
        {"10 hex digits", "&HFFFFFFFFFF"},
        {"9 hex digits", "&H100000000"},
        {"12 octal digits", "&O77777777777"},
        {"octal just beyond", "&O40000000000"},
        {"10,000 hex digits", with_run("&H", 'F', 10000)},
    };
    for (const Row& row : table) {
        CAPTURE(row.name);
        CHECK_THROWS_AS(tarrowen::parse_number(row.input), tarrowen::OverflowError);
    }
}

TEST_CASE("format_readout and format_plain") {
    struct Row {
        std::string name;
        Number v;
        std::string readout;
        std::string plain;
    };
    const Row table[] = {
        {"0.5", D(0.5), " .5", "0.5"},
        {"-0.25", D(-0.25), "-.25", "-0.25"},
        {"12.34", D(12.34), " 12.34", "12.34"},
        {"-12.5", D(-12.5), "-12.5", "-12.5"},
        {"13", D(13), " 13", "13"},
        {"zero", D(0.0), " 0", "0"},
        {"negative zero", D(-0.0), " 0", "0"},
        {"single negative zero", S(-0.0f), " 0", "0"},
        {"empty", E(), " 0", ""},
        {"0.1 not 0.1000...", D(0.1), " .1", "0.1"},
        {"0.1 + 0.2", D(0.1 + 0.2), " .3", "0.3"},
        {"1/3", D(1.0 / 3), " .333333333333333", "0.333333333333333"},
        {"2/3 rounds", D(2.0 / 3), " .666666666666667", "0.666666666666667"},
        {"trailing integer zeros", D(100), " 100", "100"},
        {"14th power positional", D(1e14), " 100000000000000", "100000000000000"},
        {"15 digits positional", D(999999999999999), " 999999999999999", "999999999999999"},
        // 100000000000000.5 is exact: 16 digits, a tie at the 15th, to the even digit.
        {"tie to even", D(100000000000000.5), " 100000000000000", "100000000000000"},
        {"1E+15", D(1e15), " 1E+15", "1E+15"},
        {"rounds up into exponent form", D(999999999999999.9), " 1E+15", "1E+15"},
        {"0.0001 positional", D(0.0001), " .0001", "0.0001"},
        {"-0.00012345", D(-0.00012345), "-.00012345", "-0.00012345"},
        {"rounds up out of exponent form", D(0.00009999999999999999), " .0001", "0.0001"},
        {"0.00001", D(0.00001), " 1E-05", "1E-05"},
        {"-1.5E-05", D(-1.5e-5), "-1.5E-05", "-1.5E-05"},
        {"123456789012345678", D(123456789012345678.0), " 1.23456789012346E+17",
         "1.23456789012346E+17"},
        {"1E+100", D(1e100), " 1E+100", "1E+100"},
        {"-1E-300", D(-1e-300), "-1E-300", "-1E-300"},
        {"largest double", D(DBL_MAX), " 1.79769313486232E+308", "1.79769313486232E+308"},
        {"smallest double", D(4.9406564584124654e-324), " 4.94065645841247E-324",
         "4.94065645841247E-324"},
        {"double 12345678 positional", D(12345678), " 12345678", "12345678"},

        {"single 1.15", S(1.15f), " 1.15", "1.15"},
        {"single 0.29", S(0.29f), " .29", "0.29"},
        {"single 123456.78", S(123456.78f), " 123456.8", "123456.8"},
        {"single 12345678", S(12345678.0f), " 1.234568E+07", "1.234568E+07"},
        {"single 1234567 positional", S(1234567.0f), " 1234567", "1234567"},
        // 1234568.5f is exact: a tie at the 7th digit, to the even digit.
        {"single tie to even", S(1234568.5f), " 1234568", "1234568"},
        {"single rounds into exponent form", S(999999995904.0f), " 1E+12", "1E+12"},
        {"single rounds out of exponent form", S(9.99999974738e-5f), " .0001", "0.0001"},
        {"single 1E-05", S(1e-5f), " 1E-05", "1E-05"},
        {"single -0.1", S(-0.1f), "-.1", "-0.1"},
        {"largest single", S(FLT_MAX), " 3.402823E+38", "3.402823E+38"},

        {"int16 min", I16(-32768), "-32768", "-32768"},
        {"int16 0", I16(0), " 0", "0"},
        {"int32 8 digits", I32(12345678), " 12345678", "12345678"},
        {"int32 max", I32(2147483647), " 2147483647", "2147483647"},
        {"int32 min", I32(-2147483647 - 1), "-2147483648", "-2147483648"},
    };
    for (const Row& row : table) {
        CAPTURE(row.name);
        CHECK(tarrowen::format_readout(row.v) == row.readout);
        CHECK(tarrowen::format_plain(row.v) == row.plain);
    }
}

TEST_CASE("floor_to and the readout of its result") {
    // Expected values from an exact model (Python's fractions): the product rounded to the
    // operand's kind, floored, divided by k and rounded to the kind again.
    struct Row {
        std::string name;
        Number v;
        std::int16_t k;
        Number expected;
        std::string readout;
    };
    const Row table[] = {
        {"12.3456", D(12.3456), 100, D(12.34), " 12.34"},
        {"-0.7071", D(-0.7071), 1000, D(-0.708), "-.708"},
        // 0.29 is 0.28999999999999998002; times 100 it rounds to 28.999999999999996447.
        {"double 0.29", D(0.29), 100, D(0.28), " .28"},
        {"double 0.29 by 1000", D(0.29), 1000, D(0.29), " .29"},  // the product is 290 exactly
        {"double 1.15", D(1.15), 100, D(1.14), " 1.14"},
        // 1.15f is 1.14999997615814208984375; times 100 it rounds to the single 115.
        {"single 1.15", S(1.15f), 100, S(1.15f), " 1.15"},
        {"single 0.29", S(0.29f), 100, S(0.29f), " .29"},
        {"single 123456.78", S(123456.78f), 100, S(123456.78f), " 123456.8"},
        {"tiny negative", D(-0.004), 100, D(-0.01), "-.01"},
        {"tiny negative by 1000", D(-3.673205103346574e-06), 1000, D(-0.001), "-.001"},
        {"just below an integer", D(0.9999999681690107), 100, D(0.99), " .99"},
        {"cos 0.29 by 1000", D(0.9582438755126972), 1000, D(0.958), " .958"},
        {"negative zero", D(-0.0), 100, D(-0.0), " 0"},
        {"single beyond the range after scaling", S(3e36f), 1000, D(3.000000043527274e+36),
         " 3.00000004352727E+36"},
        {"empty", E(), 100, S(0.0f), " 0"},
        {"int16", I16(7), 100, S(7.0f), " 7"},
        {"int32", I32(5), 100, D(5.0), " 5"},
    };
    for (const Row& row : table) {
        CAPTURE(row.name);
        const Number actual = tarrowen::floor_to(row.v, row.k);
        CHECK(actual == row.expected);  // kind and value
        CHECK(tarrowen::format_readout(actual) == row.readout);
    }
}

TEST_CASE("format_plain reads back to the value shown") {
    std::vector<Number> values = {I16(-32768), I32(2147483647)};
    for (const double d : {0.1, 1.0 / 3, 3.141592653589793, 1e-5, 1e15, 123456789012345678.0, 0.29,
                           1e22, 999999999999999.9, 0.00009999999999999999, -2.5e-300, DBL_MIN,
                           4.9406564584124654e-324, 1.7976931348623e308, -123.456789012345678}) {
        values.push_back(D(d));
    }
    for (const float f : {1.15f, 0.29f, 123456.78f, 12345678.0f, 16777215.0f, 999999995904.0f,
                          FLT_MAX, FLT_MIN, 1.4e-45f, -0.1f, 3.4028e38f, 7.0e-6f, 1.0000001e28f}) {
        values.push_back(S(f));
    }
    for (const Number& v : values) {
        CAPTURE(v);
        const std::string t = tarrowen::format_plain(v);
        const double back = tarrowen::parse_number(t);
        const double x = v.to_double();
        Number again;
        double digits_bound = 0.0;  // half a unit of the last digit shown, relative
        switch (v.kind()) {
            case Kind::Single:
                // Seven digits do not tell every single apart: narrowed back to a single, the
                // value read could land on a neighbour with other digits (1.0000001e28f). The
                // program reads texts as doubles, and as a double the value is stable: its own
                // text reads back to it exactly.
                CHECK(tarrowen::parse_number(tarrowen::format_plain(D(back))) == back);
                again = v;
                digits_bound = 5e-7;
                break;
            case Kind::Double:
                again = D(back);
                digits_bound = 5e-15;
                break;
            default:
                again = v.kind() == Kind::Int16 ? I16(static_cast<std::int16_t>(back))
                                                : I32(static_cast<std::int32_t>(back));
        }
        CHECK(tarrowen::format_plain(again) == t);
        // The rounding to the digits shown, then the rounding of that decimal to a double.
        const double bound =
            digits_bound * std::abs(x) + DBL_EPSILON * std::abs(back) + 4.9406564584124654e-324;
        INFO(t, " reads as ", show(back));
        CHECK(std::abs(back - x) <= bound);
    }
}
