// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds and values of the number arithmetic. Every row states both operands with their
// kinds and the expected kind; a wrong kind shows on the screen as a wrong number of digits.

#include <QtTest>

#include <cfloat>
#include <cstdint>

#include "number_rows.h"
#include "core/numbers/dynamic_number.h"

using tarrowen::Number;

namespace {

using namespace rows;

// 'n' negates and 'f' floors the first operand; the second is then unused.
Number apply(const Number& a, char op, const Number& b) {
    switch (op) {
        case '+':
            return a + b;
        case '-':
            return a - b;
        case '*':
            return a * b;
        case '/':
            return a / b;
        case 'n':
            return -a;
        case 'f':
            return a.floor();
    }
    qFatal("unknown operation %c", op);
}

}  // namespace

class TestDynamicNumber : public QObject {
    Q_OBJECT

  private slots:
    void arithmetic_data();
    void arithmetic();
    void arithmetic_errors_data();
    void arithmetic_errors();
    void to_single_data();
    void to_single();
    void to_int32_data();
    void to_int32();
};

void TestDynamicNumber::arithmetic_data() {
    QTest::addColumn<Number>("a");
    QTest::addColumn<char>("op");
    QTest::addColumn<Number>("b");
    QTest::addColumn<Number>("expected");

    const double s01 = static_cast<double>(0.1f);
    const double s3e38 = static_cast<double>(3e38f);

    // Empty operands.
    QTest::newRow("empty + empty") << E() << '+' << E() << I16(0);
    QTest::newRow("empty - empty") << E() << '-' << E() << I16(0);
    QTest::newRow("empty * empty") << E() << '*' << E() << I16(0);
    QTest::newRow("empty + int16") << E() << '+' << I16(5) << I16(5);
    QTest::newRow("int32 - empty") << I32(7) << '-' << E() << I32(7);
    QTest::newRow("empty - single") << E() << '-' << S(2.5f) << S(-2.5f);
    QTest::newRow("empty * double") << E() << '*' << D(3.0) << D(0.0);
    QTest::newRow("double + empty") << D(1.5) << '+' << E() << D(1.5);
    QTest::newRow("empty - int16 min widens") << E() << '-' << I16(-32768) << I32(32768);

    // Single with a 32-bit integer is a double, computed exactly.
    QTest::newRow("int32 * single") << I32(16777217) << '*' << S(1.0f) << D(16777217.0);
    QTest::newRow("single + int32") << S(0.1f) << '+' << I32(1) << D(1.0 + s01);
    QTest::newRow("int32 - single") << I32(1) << '-' << S(0.1f) << D(1.0 - s01);

    // Any other pair: the higher kind.
    QTest::newRow("int16 + int16") << I16(2) << '+' << I16(3) << I16(5);
    QTest::newRow("int16 + int32 stays int32") << I16(1) << '+' << I32(1) << I32(2);
    QTest::newRow("int32 * int16") << I32(-3) << '*' << I16(4) << I32(-12);
    QTest::newRow("int16 + single") << I16(1) << '+' << S(0.1f) << S(1.0f + 0.1f);
    QTest::newRow("single * int16 in single") << S(0.29f) << '*' << I16(100) << S(29.0f);
    QTest::newRow("single * 100 for 1.15") << S(1.15f) << '*' << I16(100) << S(115.0f);
    QTest::newRow("single + single") << S(0.1f) << '+' << S(0.2f) << S(0.1f + 0.2f);
    QTest::newRow("int16 * double") << I16(2) << '*' << D(0.5) << D(1.0);
    QTest::newRow("int32 - double") << I32(10) << '-' << D(0.25) << D(9.75);
    QTest::newRow("single + double") << S(0.1f) << '+' << D(0.2) << D(s01 + 0.2);
    QTest::newRow("double * double") << D(0.1) << '*' << D(3.0) << D(0.1 * 3.0);

    // Integers widen when the result does not fit.
    QTest::newRow("int16 max + 1") << I16(32767) << '+' << I16(1) << I32(32768);
    QTest::newRow("int16 min - 1") << I16(-32768) << '-' << I16(1) << I32(-32769);
    QTest::newRow("int16 200 * 200") << I16(200) << '*' << I16(200) << I32(40000);
    QTest::newRow("int16 min * -1") << I16(-32768) << '*' << I16(-1) << I32(32768);
    QTest::newRow("int32 max + 1") << I32(2147483647) << '+' << I16(1) << D(2147483648.0);
    QTest::newRow("int32 - below min") << I32(-2147483647) << '-' << I32(2) << D(-2147483649.0);
    QTest::newRow("int32 65536 squared") << I32(65536) << '*' << I32(65536) << D(4294967296.0);
    QTest::newRow("int32 min squared")
        << I32(-2147483647 - 1) << '*' << I32(-2147483647 - 1) << D(4611686018427387904.0);

    // A single beyond the single range becomes a double.
    QTest::newRow("single * int16 beyond") << S(3e38f) << '*' << I16(10) << D(s3e38 * 10);
    QTest::newRow("single + single beyond") << S(3e38f) << '+' << S(3e38f) << D(s3e38 * 2);
    QTest::newRow("single - single beyond") << S(-3e38f) << '-' << S(3e38f) << D(-s3e38 * 2);
    QTest::newRow("single max * 2")
        << S(FLT_MAX) << '*' << I16(2) << D(static_cast<double>(FLT_MAX) * 2);

    // Division.
    QTest::newRow("empty / int16") << E() << '/' << I16(4) << S(0.0f);
    QTest::newRow("int16 / int16") << I16(1) << '/' << I16(3) << S(1.0f / 3.0f);
    QTest::newRow("int16 / single") << I16(1) << '/' << S(4.0f) << S(0.25f);
    QTest::newRow("single / single") << S(1.0f) << '/' << S(3.0f) << S(1.0f / 3.0f);
    QTest::newRow("empty / single") << E() << '/' << S(2.0f) << S(0.0f);
    QTest::newRow("int16 / int32") << I16(1) << '/' << I32(3) << D(1.0 / 3.0);
    QTest::newRow("int32 / int16") << I32(1) << '/' << I16(3) << D(1.0 / 3.0);
    QTest::newRow("int32 / int32") << I32(7) << '/' << I32(2) << D(3.5);
    QTest::newRow("single / int32") << S(1.0f) << '/' << I32(3) << D(1.0 / 3.0);
    QTest::newRow("single / double") << S(1.0f) << '/' << D(3.0) << D(1.0 / 3.0);
    QTest::newRow("double / int16") << D(1.0) << '/' << I16(3) << D(1.0 / 3.0);
    QTest::newRow("single / single beyond")
        << S(3e38f) << '/' << S(0.01f) << D(s3e38 / static_cast<double>(0.01f));

    // Negate and floor keep the kind (integers still widen).
    QTest::newRow("negate empty") << E() << 'n' << E() << E();
    QTest::newRow("negate int16") << I16(5) << 'n' << E() << I16(-5);
    QTest::newRow("negate int16 min") << I16(-32768) << 'n' << E() << I32(32768);
    QTest::newRow("negate int32") << I32(5) << 'n' << E() << I32(-5);
    QTest::newRow("negate int32 min") << I32(-2147483647 - 1) << 'n' << E() << D(2147483648.0);
    QTest::newRow("negate single") << S(1.5f) << 'n' << E() << S(-1.5f);
    QTest::newRow("negate double") << D(2.25) << 'n' << E() << D(-2.25);
    QTest::newRow("floor empty") << E() << 'f' << E() << E();
    QTest::newRow("floor int16") << I16(-7) << 'f' << E() << I16(-7);
    QTest::newRow("floor int32") << I32(9) << 'f' << E() << I32(9);
    QTest::newRow("floor single") << S(2.7f) << 'f' << E() << S(2.0f);
    QTest::newRow("floor negative single") << S(-0.5f) << 'f' << E() << S(-1.0f);
    QTest::newRow("floor double") << D(28.999999999999996) << 'f' << E() << D(28.0);
    QTest::newRow("floor negative double") << D(-0.4) << 'f' << E() << D(-1.0);
}

void TestDynamicNumber::arithmetic() {
    QFETCH(Number, a);
    QFETCH(char, op);
    QFETCH(Number, b);
    QFETCH(Number, expected);
    QCOMPARE(apply(a, op, b), expected);
}

void TestDynamicNumber::arithmetic_errors_data() {
    QTest::addColumn<Number>("a");
    QTest::addColumn<char>("op");
    QTest::addColumn<Number>("b");
    QTest::addColumn<bool>("division_by_zero");

    QTest::newRow("double * int16 overflow") << D(1e308) << '*' << I16(10) << false;
    QTest::newRow("double + double overflow") << D(1.7e308) << '+' << D(1.7e308) << false;
    QTest::newRow("double - double overflow") << D(-1.7e308) << '-' << D(1.7e308) << false;
    QTest::newRow("single * double overflow") << S(3e38f) << '*' << D(1e300) << false;
    QTest::newRow("double / double overflow") << D(1e300) << '/' << D(1e-300) << false;
    QTest::newRow("int16 / int16 zero") << I16(1) << '/' << I16(0) << true;
    QTest::newRow("int16 / empty") << I16(7) << '/' << E() << true;
    QTest::newRow("empty / empty") << E() << '/' << E() << true;
    QTest::newRow("double / single zero") << D(1.0) << '/' << S(0.0f) << true;
    QTest::newRow("single / negative zero") << S(0.0f) << '/' << D(-0.0) << true;
    QTest::newRow("int32 / int32 zero") << I32(5) << '/' << I32(0) << true;
}

void TestDynamicNumber::arithmetic_errors() {
    QFETCH(Number, a);
    QFETCH(char, op);
    QFETCH(Number, b);
    QFETCH(bool, division_by_zero);
    try {
        const Number r = apply(a, op, b);
        QFAIL(qPrintable("no error, result " + QString::fromStdString(r.describe())));
    } catch (const tarrowen::DivisionByZero&) {
        QVERIFY(division_by_zero);
    } catch (const tarrowen::OverflowError&) {
        QVERIFY(!division_by_zero);
    }
}

void TestDynamicNumber::to_single_data() {
    QTest::addColumn<Number>("v");
    QTest::addColumn<bool>("overflows");
    QTest::addColumn<float>("expected");

    QTest::newRow("empty") << E() << false << 0.0f;
    QTest::newRow("int32 rounds to nearest") << I32(16777217) << false << 16777216.0f;
    QTest::newRow("double 0.1") << D(0.1) << false << 0.1f;
    QTest::newRow("just above max rounds down") << D(3.4028235e38) << false << FLT_MAX;
    QTest::newRow("just below the rounding limit") << D(3.4028235677e38) << false << FLT_MAX;
    QTest::newRow("tiny becomes zero") << D(1e-50) << false << 0.0f;
    QTest::newRow("just above the rounding limit") << D(3.4028235678e38) << true << 0.0f;
    QTest::newRow("1e39") << D(1e39) << true << 0.0f;
    QTest::newRow("-1e39") << D(-1e39) << true << 0.0f;
}

void TestDynamicNumber::to_single() {
    QFETCH(Number, v);
    QFETCH(bool, overflows);
    QFETCH(float, expected);
    if (overflows) {
        QVERIFY_THROWS_EXCEPTION(tarrowen::OverflowError, v.to_single());
    } else {
        // Exact: QCOMPARE would accept a neighbouring single.
        const float actual = v.to_single();
        QVERIFY2(actual == expected, qPrintable(QString::number(double(actual), 'g', 9)));
    }
}

void TestDynamicNumber::to_int32_data() {
    QTest::addColumn<Number>("v");
    QTest::addColumn<bool>("overflows");
    QTest::addColumn<int>("expected");

    QTest::newRow("empty") << E() << false << 0;
    QTest::newRow("int16") << I16(-32768) << false << -32768;
    QTest::newRow("0.5 to even") << D(0.5) << false << 0;
    QTest::newRow("-0.5 to even") << D(-0.5) << false << 0;
    QTest::newRow("1.5 to even") << D(1.5) << false << 2;
    QTest::newRow("2.5 to even") << D(2.5) << false << 2;
    QTest::newRow("3.5 to even") << D(3.5) << false << 4;
    QTest::newRow("-2.5 to even") << D(-2.5) << false << -2;
    QTest::newRow("just below a half") << D(1.4999999999999998) << false << 1;
    QTest::newRow("single 2.5") << S(2.5f) << false << 2;
    QTest::newRow("near max") << D(2147483647.4) << false << 2147483647;
    QTest::newRow("min half to even") << D(-2147483648.5) << false << -2147483647 - 1;
    QTest::newRow("max half rounds out") << D(2147483647.5) << true << 0;
    QTest::newRow("below min") << D(-2147483649.0) << true << 0;
    QTest::newRow("1e10") << D(1e10) << true << 0;
    QTest::newRow("single 3e9") << S(3e9f) << true << 0;
}

void TestDynamicNumber::to_int32() {
    QFETCH(Number, v);
    QFETCH(bool, overflows);
    QFETCH(int, expected);
    if (overflows) {
        QVERIFY_THROWS_EXCEPTION(tarrowen::OverflowError, v.to_int32());
    } else {
        QCOMPARE(v.to_int32(), expected);
    }
}

QTEST_APPLESS_MAIN(TestDynamicNumber)
#include "test_dynamic_number.moc"
