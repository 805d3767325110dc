// SPDX-License-Identifier: GPL-3.0-or-later
// The periodic timer ticks only while on with an interval above 0; the clock counts on past
// midnight.
#include <QTest>
#include <chrono>

#include "platform/clock.h"
#include "platform/qt_timer.h"

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

    void day_clock_counts_past_midnight_data() {
        QTest::addColumn<double>("start");    // seconds since midnight when created
        QTest::addColumn<double>("elapsed");  // seconds later
        QTest::addColumn<float>("reading");
        QTest::newRow("morning") << 36000.0 << 1.5 << 36001.5f;
        QTest::newRow("just before midnight") << 86399.0 << 0.5 << 86399.5f;
        QTest::newRow("across midnight") << 86399.0 << 2.0 << 86401.0f;
        QTest::newRow("a day and a half later") << 43200.0 << 129600.0 << 172800.0f;
    }
    void day_clock_counts_past_midnight() {
        QFETCH(double, start);
        QFETCH(double, elapsed);
        QFETCH(float, reading);
        std::chrono::steady_clock::duration steady = std::chrono::hours(1000);
        DayClock clock(start, [&steady] { return steady; });
        steady += std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double>(elapsed));
        QCOMPARE(clock.now(), reading);
    }

    void real_clock_reads_the_time_of_day() {
        DayClock clock;
        const double wall = local_seconds_since_midnight();
        const float reading = clock.now();
        QVERIFY(reading >= 0.0f);
        // Singles are 1/128 s apart at the end of the day; allow for a midnight in between.
        QVERIFY(qAbs(reading - wall) < 1.0 || qAbs(reading - wall - 86400.0) < 1.0);
    }
};

QTEST_GUILESS_MAIN(PlatformTimerTest)
#include "test_platform_timer.moc"
