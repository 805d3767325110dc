// SPDX-License-Identifier: GPL-3.0-or-later
// Texts in and out of the panel: the reader, both formatters and the rounding of the readouts.
// The whole suite runs under the locale that the environment names (it is registered a second
// time with a comma locale), since none of these conversions may depend on it.

#include <QtTest>

#include <bit>
#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <locale>
#include <string>

#include "number_rows.h"
#include "core/numbers/number_text.h"

using tarrowen::Kind;
using tarrowen::Number;

namespace {

using namespace rows;

QByteArray text(const std::string& s) {
    return QByteArray::fromStdString(s);
}
QByteArray repeat(char c, int n) {
    return QByteArray(n, c);
}

template <typename Float>
std::string shortest(Float v) {
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Same value and same sign of zero.
bool identical(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

const double readout_pi = 3.1415926;

}  // namespace

class TestNumberText : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void parse_number_data();
    void parse_number();
    void parse_overflow_data();
    void parse_overflow();
    void formatters_data();
    void formatters();
    void floor_to_data();
    void floor_to();
    void readouts_data();
    void readouts();
    void round_trip_data();
    void round_trip();
};

void TestNumberText::initTestCase() {
    // A locale that the environment asks for but that is not installed must fail the run, or
    // the comma-locale registration would quietly test the C locale again.
    const char* requested = std::getenv("LC_ALL");
    const QByteArray name = requested ? requested : "";
    QVERIFY2(std::setlocale(LC_ALL, "") != nullptr,
             qPrintable("the C library cannot set the locale LC_ALL=" + name));
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error& e) {
        QFAIL(qPrintable("std::locale(\"\") failed for LC_ALL=" + name + ": " + e.what()));
    }
    if (name.startsWith("de_DE")) {
        QCOMPARE(std::localeconv()->decimal_point, ",");
        QCOMPARE(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
    }
}

void TestNumberText::parse_number_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<double>("expected");

    QTest::newRow("2") << QByteArray("2") << 2.0;
    QTest::newRow("blanks inside") << QByteArray(" 2 45 7") << 2457.0;
    QTest::newRow("tab and line feed") << QByteArray("\t1\n2") << 12.0;
    QTest::newRow("blanks around E") << QByteArray("1 E 3") << 1000.0;
    QTest::newRow("carriage return ends") << QByteArray("1\r2") << 1.0;
    QTest::newRow("trailing letters") << QByteArray("12abc") << 12.0;
    QTest::newRow("comma ends") << QByteArray("1,5") << 1.0;
    QTest::newRow("exponent") << QByteArray("1.5E3") << 1500.0;
    QTest::newRow("lower-case exponent") << QByteArray("1e+2") << 100.0;
    QTest::newRow("negative exponent") << QByteArray("1E-2") << 0.01;
    QTest::newRow("no leading zero") << QByteArray("-.5") << -0.5;
    QTest::newRow("plus sign") << QByteArray("+.5") << 0.5;
    QTest::newRow("second point ends") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("E alone") << QByteArray("1E") << 1.0;
    QTest::newRow("E with sign alone") << QByteArray("1E+") << 1.0;
    QTest::newRow("E then letter") << QByteArray("1E-x") << 1.0;
    QTest::newRow("trailing point") << QByteArray("5.") << 5.0;
    QTest::newRow("point then exponent") << QByteArray("1.e2") << 100.0;
    QTest::newRow("fraction exponent") << QByteArray(".5e1") << 5.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("letters") << QByteArray("abc") << 0.0;
    QTest::newRow("point") << QByteArray(".") << 0.0;
    QTest::newRow("minus") << QByteArray("-") << 0.0;
    QTest::newRow("point exponent") << QByteArray(".e5") << 0.0;
    QTest::newRow("exponent alone") << QByteArray("e5") << 0.0;
    QTest::newRow("two signs") << QByteArray("+-1") << 0.0;
    QTest::newRow("currency") << QByteArray("$1") << 0.0;
    QTest::newRow("inf is not a number") << QByteArray("inf") << 0.0;
    QTest::newRow("nan is not a number") << QByteArray("nan") << 0.0;
    QTest::newRow("0x is not hex") << QByteArray("0x10") << 0.0;
    QTest::newRow("D is no exponent") << QByteArray("1D3") << 1.0;
    QTest::newRow("d is no exponent") << QByteArray("1d3") << 1.0;
    QTest::newRow("negative zero") << QByteArray("-0") << -0.0;
    QTest::newRow("nearest to 0.1") << QByteArray("0.1") << 0.1;
    QTest::newRow("tie to even") << QByteArray("9007199254740993") << 9007199254740992.0;
    QTest::newRow("just above the tie")
        << QByteArray("9007199254740993.000000000000000000000001") << 9007199254740994.0;
    QTest::newRow("largest double") << QByteArray("1.7976931348623157E308") << DBL_MAX;
    QTest::newRow("subnormal") << QByteArray("1E-310") << 1e-310;
    QTest::newRow("rounds up to the smallest") << QByteArray("3E-324") << 4.9406564584124654e-324;
    QTest::newRow("rounds down to zero") << QByteArray("2E-324") << 0.0;
    QTest::newRow("underflow") << QByteArray("1E-400") << 0.0;
    QTest::newRow("negative underflow") << QByteArray("-1E-400") << -0.0;

    QTest::newRow("&HFFFF") << QByteArray("&HFFFF") << -1.0;
    QTest::newRow("&H10") << QByteArray("&H10") << 16.0;
    QTest::newRow("&O17") << QByteArray("&O17") << 15.0;
    QTest::newRow("&H") << QByteArray("&H") << 0.0;
    QTest::newRow("&HFFFFFFFF") << QByteArray("&HFFFFFFFF") << -1.0;
    QTest::newRow("&H10000") << QByteArray("&H10000") << 65536.0;
    QTest::newRow("&H7FFF") << QByteArray("&H7FFF") << 32767.0;
    QTest::newRow("&H8000") << QByteArray("&H8000") << -32768.0;
    QTest::newRow("&H80000000") << QByteArray("&H80000000") << -2147483648.0;
    QTest::newRow("&H7FFFFFFF") << QByteArray("&H7FFFFFFF") << 2147483647.0;
    QTest::newRow("lower case hex") << QByteArray("&hff") << 255.0;
    QTest::newRow("lower case octal") << QByteArray("&o777") << 511.0;
    QTest::newRow("&O177777") << QByteArray("&O177777") << -1.0;
    QTest::newRow("&O37777777777") << QByteArray("&O37777777777") << -1.0;
    QTest::newRow("hex leading zeros") << QByteArray("&H0000000000000010") << 16.0;
    QTest::newRow("hex stops at G") << QByteArray("&H1G") << 1.0;
    QTest::newRow("octal stops at 8") << QByteArray("&O8") << 0.0;
    QTest::newRow("hex with blanks") << QByteArray(" & H 1 F") << 31.0;
    QTest::newRow("hex takes no sign") << QByteArray("&H-1") << 0.0;
    QTest::newRow("sign before hex") << QByteArray("-&H1") << 0.0;
    QTest::newRow("ampersand alone") << QByteArray("&") << 0.0;

    // Long texts.
    QTest::newRow("10,000 leading zeros") << repeat('0', 10000) + "1" << 1.0;
    QTest::newRow("10,000 zeros after the point") << "0." + repeat('0', 10000) + "1" << 0.0;
    QTest::newRow("10,000 blanks") << repeat(' ', 10000) + "7" << 7.0;
    QTest::newRow("10,000 zeros, exponent back") << "1" + repeat('0', 10000) + "E-10000" << 1.0;
    QTest::newRow("fraction, exponent back") << "0." + repeat('0', 9998) + "1E10000" << 10.0;
    QTest::newRow("exponent with 10,000 zeros") << "1E" + repeat('0', 10000) + "5" << 1e5;
    QTest::newRow("exponent of 10,000 nines, negative") << "1E-" + repeat('9', 10000) << 0.0;
    QTest::newRow("10,000 threes after the point") << "." + repeat('3', 10000) << 1.0 / 3.0;
    QTest::newRow("tie broken by the 10,000th digit")
        << "9007199254740993." + repeat('0', 10000) + "1" << 9007199254740994.0;
    QTest::newRow("hex with 10,000 leading zeros") << "&H" + repeat('0', 10000) + "1" << 1.0;
    QTest::newRow("70,000 zeros, large exponent") << "0." + repeat('0', 70000) + "1E70005" << 1e4;
}

void TestNumberText::parse_number() {
    QFETCH(QByteArray, input);
    QFETCH(double, expected);
    const double actual = tarrowen::parse_number(std::string_view(input.data(), input.size()));
    QVERIFY2(identical(actual, expected), (shortest(actual) + " != " + shortest(expected)).c_str());
}

void TestNumberText::parse_overflow_data() {
    QTest::addColumn<QByteArray>("input");

    QTest::newRow("1E400") << QByteArray("1E400");
    QTest::newRow("-2E308") << QByteArray("-2E308");
    QTest::newRow("just beyond the largest") << QByteArray("1.7976931348623159E308");
    // The text of the few largest doubles: rounded to 15 digits they lie beyond the range.
    QTest::newRow("largest double as shown") << QByteArray("1.79769313486232E+308");
    QTest::newRow("huge exponent") << QByteArray("1E99999999999999999999");
    QTest::newRow("exponent of 10,000 nines") << "1E" + repeat('9', 10000);
    QTest::newRow("1 and 10,000 zeros") << "1" + repeat('0', 10000);
    QTest::newRow("10,000 nines") << repeat('9', 10000);
    QTest::newRow("10 hex digits") << QByteArray("&HFFFFFFFFFF");
    QTest::newRow("9 hex digits") << QByteArray("&H100000000");
    QTest::newRow("12 octal digits") << QByteArray("&O77777777777");
    QTest::newRow("octal just beyond") << QByteArray("&O40000000000");
    QTest::newRow("10,000 hex digits") << "&H" + repeat('F', 10000);
}

void TestNumberText::parse_overflow() {
    QFETCH(QByteArray, input);
    QVERIFY_THROWS_EXCEPTION(tarrowen::OverflowError,
                             tarrowen::parse_number(std::string_view(input.data(), input.size())));
}

void TestNumberText::formatters_data() {
    QTest::addColumn<Number>("v");
    QTest::addColumn<QByteArray>("readout");
    QTest::addColumn<QByteArray>("plain");

    QTest::newRow("0.5") << D(0.5) << QByteArray(" .5") << QByteArray("0.5");
    QTest::newRow("-0.25") << D(-0.25) << QByteArray("-.25") << QByteArray("-0.25");
    QTest::newRow("12.34") << D(12.34) << QByteArray(" 12.34") << QByteArray("12.34");
    QTest::newRow("-12.5") << D(-12.5) << QByteArray("-12.5") << QByteArray("-12.5");
    QTest::newRow("13") << D(13) << QByteArray(" 13") << QByteArray("13");
    QTest::newRow("zero") << D(0.0) << QByteArray(" 0") << QByteArray("0");
    QTest::newRow("negative zero") << D(-0.0) << QByteArray(" 0") << QByteArray("0");
    QTest::newRow("single negative zero") << S(-0.0f) << QByteArray(" 0") << QByteArray("0");
    QTest::newRow("empty") << E() << QByteArray(" 0") << QByteArray("");
    QTest::newRow("0.1 not 0.1000...") << D(0.1) << QByteArray(" .1") << QByteArray("0.1");
    QTest::newRow("0.1 + 0.2") << D(0.1 + 0.2) << QByteArray(" .3") << QByteArray("0.3");
    QTest::newRow("1/3") << D(1.0 / 3) << QByteArray(" .333333333333333")
                         << QByteArray("0.333333333333333");
    QTest::newRow("2/3 rounds") << D(2.0 / 3) << QByteArray(" .666666666666667")
                                << QByteArray("0.666666666666667");
    QTest::newRow("trailing integer zeros") << D(100) << QByteArray(" 100") << QByteArray("100");
    QTest::newRow("14th power positional")
        << D(1e14) << QByteArray(" 100000000000000") << QByteArray("100000000000000");
    QTest::newRow("15 digits positional")
        << D(999999999999999) << QByteArray(" 999999999999999") << QByteArray("999999999999999");
    QTest::newRow("1E+15") << D(1e15) << QByteArray(" 1E+15") << QByteArray("1E+15");
    QTest::newRow("rounds up into exponent form")
        << D(999999999999999.9) << QByteArray(" 1E+15") << QByteArray("1E+15");
    QTest::newRow("0.0001 positional") << D(0.0001) << QByteArray(" .0001") << QByteArray("0.0001");
    QTest::newRow("-0.00012345") << D(-0.00012345) << QByteArray("-.00012345")
                                 << QByteArray("-0.00012345");
    QTest::newRow("rounds up out of exponent form")
        << D(0.00009999999999999999) << QByteArray(" .0001") << QByteArray("0.0001");
    QTest::newRow("0.00001") << D(0.00001) << QByteArray(" 1E-05") << QByteArray("1E-05");
    QTest::newRow("-1.5E-05") << D(-1.5e-5) << QByteArray("-1.5E-05") << QByteArray("-1.5E-05");
    QTest::newRow("123456789012345678")
        << D(123456789012345678.0) << QByteArray(" 1.23456789012346E+17")
        << QByteArray("1.23456789012346E+17");
    QTest::newRow("1E+100") << D(1e100) << QByteArray(" 1E+100") << QByteArray("1E+100");
    QTest::newRow("-1E-300") << D(-1e-300) << QByteArray("-1E-300") << QByteArray("-1E-300");
    QTest::newRow("largest double") << D(DBL_MAX) << QByteArray(" 1.79769313486232E+308")
                                    << QByteArray("1.79769313486232E+308");
    QTest::newRow("smallest double")
        << D(4.9406564584124654e-324) << QByteArray(" 4.94065645841247E-324")
        << QByteArray("4.94065645841247E-324");
    QTest::newRow("double 12345678 positional")
        << D(12345678) << QByteArray(" 12345678") << QByteArray("12345678");

    QTest::newRow("single 1.15") << S(1.15f) << QByteArray(" 1.15") << QByteArray("1.15");
    QTest::newRow("single 0.29") << S(0.29f) << QByteArray(" .29") << QByteArray("0.29");
    QTest::newRow("single 123456.78")
        << S(123456.78f) << QByteArray(" 123456.8") << QByteArray("123456.8");
    QTest::newRow("single 12345678")
        << S(12345678.0f) << QByteArray(" 1.234568E+07") << QByteArray("1.234568E+07");
    QTest::newRow("single 1234567 positional")
        << S(1234567.0f) << QByteArray(" 1234567") << QByteArray("1234567");
    QTest::newRow("single rounds into exponent form")
        << S(999999995904.0f) << QByteArray(" 1E+12") << QByteArray("1E+12");
    QTest::newRow("single rounds out of exponent form")
        << S(9.99999974738e-5f) << QByteArray(" .0001") << QByteArray("0.0001");
    QTest::newRow("single 1E-05") << S(1e-5f) << QByteArray(" 1E-05") << QByteArray("1E-05");
    QTest::newRow("single -0.1") << S(-0.1f) << QByteArray("-.1") << QByteArray("-0.1");
    QTest::newRow("largest single")
        << S(FLT_MAX) << QByteArray(" 3.402823E+38") << QByteArray("3.402823E+38");

    QTest::newRow("int16 min") << I16(-32768) << QByteArray("-32768") << QByteArray("-32768");
    QTest::newRow("int16 0") << I16(0) << QByteArray(" 0") << QByteArray("0");
    QTest::newRow("int32 8 digits")
        << I32(12345678) << QByteArray(" 12345678") << QByteArray("12345678");
    QTest::newRow("int32 max") << I32(2147483647) << QByteArray(" 2147483647")
                               << QByteArray("2147483647");
    QTest::newRow("int32 min") << I32(-2147483647 - 1) << QByteArray("-2147483648")
                               << QByteArray("-2147483648");
}

void TestNumberText::formatters() {
    QFETCH(Number, v);
    QFETCH(QByteArray, readout);
    QFETCH(QByteArray, plain);
    QCOMPARE(text(tarrowen::format_readout(v)), readout);
    QCOMPARE(text(tarrowen::format_plain(v)), plain);
}

void TestNumberText::floor_to_data() {
    QTest::addColumn<Number>("v");
    QTest::addColumn<short>("k");
    QTest::addColumn<Number>("expected");
    QTest::addColumn<QByteArray>("readout");

    QTest::newRow("12.3456") << D(12.3456) << short(100) << D(12.34) << QByteArray(" 12.34");
    QTest::newRow("-0.7071") << D(-0.7071) << short(1000) << D(-0.708) << QByteArray("-.708");
    QTest::newRow("double 0.29") << D(0.29) << short(100) << D(0.28) << QByteArray(" .28");
    QTest::newRow("double 1.15") << D(1.15) << short(100) << D(1.14) << QByteArray(" 1.14");
    QTest::newRow("single 1.15") << S(1.15f) << short(100) << S(1.15f) << QByteArray(" 1.15");
    QTest::newRow("single 0.29") << S(0.29f) << short(100) << S(0.29f) << QByteArray(" .29");
    QTest::newRow("single 123456.78")
        << S(123456.78f) << short(100) << S(123456.78f) << QByteArray(" 123456.8");
    QTest::newRow("tiny negative") << D(-0.004) << short(100) << D(-0.01) << QByteArray("-.01");
    QTest::newRow("negative zero") << D(-0.0) << short(100) << D(-0.0) << QByteArray(" 0");
    QTest::newRow("single beyond the range after scaling")
        << S(3e36f) << short(1000) << D(static_cast<double>(3e36f))
        << QByteArray(" 3.00000004352727E+36");
    QTest::newRow("empty") << E() << short(100) << S(0.0f) << QByteArray(" 0");
    QTest::newRow("int16") << I16(7) << short(100) << S(7.0f) << QByteArray(" 7");
    QTest::newRow("int32") << I32(5) << short(100) << D(5.0) << QByteArray(" 5");
}

void TestNumberText::floor_to() {
    QFETCH(Number, v);
    QFETCH(short, k);
    QFETCH(Number, expected);
    QFETCH(QByteArray, readout);
    const Number actual = tarrowen::floor_to(v, k);
    QCOMPARE(actual, expected);  // kind and value
    QCOMPARE(text(tarrowen::format_readout(actual)), readout);
}

// The five readouts of a tick, each formed in the order the panel uses: t in single
// precision, the others in double.
void TestNumberText::readouts_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<float>("t");
    QTest::addColumn<double>("theta");
    QTest::addColumn<double>("radius");
    QTest::addColumn<QByteArray>("expected");

    const double pi = 3.141592653589793;
    QTest::newRow("t 0.29") << 3 << 0.29f << 0.0 << 0.0 << QByteArray(" .29");
    QTest::newRow("t 1.15") << 3 << 1.15f << 0.0 << 0.0 << QByteArray(" 1.15");
    QTest::newRow("t 0") << 3 << 0.0f << 0.0 << 0.0 << QByteArray(" 0");
    QTest::newRow("theta 0.29") << 4 << 0.0f << 0.29 << 0.0 << QByteArray(" .28");
    QTest::newRow("x at 0.29") << 5 << 0.0f << 0.29 << 1.0 << QByteArray(" .958");
    QTest::newRow("y at 0.29") << 6 << 0.0f << 0.29 << 1.0 << QByteArray(" .285");
    QTest::newRow("theta/pi at 0.29") << 7 << 0.0f << 0.29 << 0.0 << QByteArray(" .09");
    QTest::newRow("theta/pi at 0") << 7 << 0.0f << 0.0 << 0.0 << QByteArray(" 0");
    QTest::newRow("theta/pi at pi") << 7 << 0.0f << pi << 0.0 << QByteArray(" 1");
    QTest::newRow("theta/pi below readout pi")
        << 7 << 0.0f << 3.1415925 << 0.0 << QByteArray(" .99");
    QTest::newRow("theta/pi at -0.001") << 7 << 0.0f << -0.001 << 0.0 << QByteArray("-.01");
    QTest::newRow("x at 1.5708") << 5 << 0.0f << 1.5708 << 1.0 << QByteArray("-.001");
    QTest::newRow("y at 1.5708") << 6 << 0.0f << 1.5708 << 1.0 << QByteArray(" .999");
    QTest::newRow("x of radius 0 at pi") << 5 << 0.0f << pi << 0.0 << QByteArray(" 0");
}

void TestNumberText::readouts() {
    QFETCH(int, box);
    QFETCH(float, t);
    QFETCH(double, theta);
    QFETCH(double, radius);
    QFETCH(QByteArray, expected);

    const Number k100 = I16(100);
    const Number k1000 = I16(1000);
    Number value;
    switch (box) {
        case 3:
            value = tarrowen::floor_to(S(t), 100);
            break;
        case 4:
            value = tarrowen::floor_to(D(theta), 100);
            break;
        case 5:
            value = ((k1000 * D(radius)) * D(std::cos(theta))).floor() / k1000;
            break;
        case 6:
            value = ((k1000 * D(radius)) * D(std::sin(theta))).floor() / k1000;
            break;
        case 7:
            value = ((k100 * D(theta)) / D(readout_pi)).floor() / k100;
            break;
    }
    QCOMPARE(value.kind(), box == 3 ? Kind::Single : Kind::Double);
    QCOMPARE(text(tarrowen::format_readout(value)), expected);
}

void TestNumberText::round_trip_data() {
    QTest::addColumn<Number>("v");

    for (const double d : {0.1, 1.0 / 3, 3.141592653589793, 1e-5, 1e15, 123456789012345678.0, 0.29,
                           1e22, 999999999999999.9, 0.00009999999999999999, -2.5e-300, DBL_MIN,
                           4.9406564584124654e-324, 1.7976931348623e308, -123.456789012345678}) {
        QTest::addRow("double %s", shortest(d).c_str()) << D(d);
    }
    for (const float f : {1.15f, 0.29f, 123456.78f, 12345678.0f, 16777215.0f, 999999995904.0f,
                          FLT_MAX, FLT_MIN, 1.4e-45f, -0.1f, 3.4028e38f, 7.0e-6f, 1.0000001e28f}) {
        QTest::addRow("single %s", shortest(f).c_str()) << S(f);
    }
    QTest::newRow("int16 min") << I16(-32768);
    QTest::newRow("int32 max") << I32(2147483647);
}

void TestNumberText::round_trip() {
    QFETCH(Number, v);
    const std::string t = tarrowen::format_plain(v);
    const double back = tarrowen::parse_number(t);
    const double x = v.to_double();
    Number again;
    double digits_bound = 0.0;  // half a unit of the last digit shown, relative
    switch (v.kind()) {
        case Kind::Single:
            // Seven digits do not tell every single apart: narrowed back to a single, the value
            // read could land on a neighbour with other digits (1.0000001e28f). The program
            // reads texts as doubles, and as a double the value is stable: its own text reads
            // back to it exactly.
            QCOMPARE(tarrowen::parse_number(tarrowen::format_plain(D(back))), back);
            again = v;
            digits_bound = 5e-7;
            break;
        case Kind::Double:
            again = D(back);
            digits_bound = 5e-15;
            break;
        default:
            again = v.kind() == Kind::Int16 ? I16(std::int16_t(back)) : I32(std::int32_t(back));
    }
    QCOMPARE(text(tarrowen::format_plain(again)), text(t));
    // The rounding to the digits shown, then the rounding of that decimal to a double.
    const double bound =
        digits_bound * std::abs(x) + DBL_EPSILON * std::abs(back) + 4.9406564584124654e-324;
    QVERIFY2(std::abs(back - x) <= bound, (t + " reads as " + shortest(back)).c_str());
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
