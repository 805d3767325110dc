// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's periodic timer ticks only while on with an interval above 0.
#include <QTest>

#include "qt/qt_timer.h"

using namespace tarrowen;

class PlatformTimerTest : public QObject {
    Q_OBJECT
  private slots:
    // The build chose the timer it was configured for (the kernel one on Linux by default).
    void runs_on_the_configured_timer() {
        QtPeriodicTimer timer([] {});
        QCOMPARE(timer.on_kernel_timer(), TARROWEN_EXPECT_KERNEL_TIMER != 0);
    }

    void ticks_only_when_on_with_an_interval_data() {
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("ticks");
        QTest::newRow("on, interval 0: silent") << 0 << true << false;
        QTest::newRow("off, interval 1") << 1 << false << false;
        QTest::newRow("off, interval 0") << 0 << false << false;
        QTest::newRow("on, interval 1") << 1 << true << true;
    }
    void ticks_only_when_on_with_an_interval() {
        QFETCH(int, interval);
        QFETCH(bool, on);
        QFETCH(bool, ticks);
        int count = 0;
        QtPeriodicTimer timer([&count] { ++count; });
        timer.set_interval(interval);
        timer.set_enabled(on);
        QCOMPARE(timer.ticking(), ticks);
        if (ticks) {
            QTRY_VERIFY(count > 3);
        } else {
            QTest::qWait(40);
            QCOMPARE(count, 0);
        }
    }

    void switching_off_stops_the_ticks() {
        int count = 0;
        QtPeriodicTimer timer([&count] { ++count; });
        timer.set_interval(1);
        timer.set_enabled(true);
        QTRY_VERIFY(count > 0);
        timer.set_enabled(false);
        const int at_stop = count;
        QTest::qWait(30);
        QCOMPARE(count, at_stop);
        timer.set_enabled(true);
        QTRY_VERIFY(count > at_stop);
        timer.set_interval(0);  // on, but at interval 0 it falls silent again
        const int at_zero = count;
        QTest::qWait(30);
        QCOMPARE(count, at_zero);
    }
};

QTEST_GUILESS_MAIN(PlatformTimerTest)
#include "test_platform_timer.moc"
