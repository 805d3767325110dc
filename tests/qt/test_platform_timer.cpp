// SPDX-License-Identifier: GPL-3.0-or-later
// The periodic timer ticks only while on with an interval above 0; the clock counts on past
// midnight.
#include <QTest>
#include <chrono>
#include <cmath>

#include "core/platform/clock.h"
#include "qt/qt_timer.h"

using namespace tarrowen;
using R = ClockReading;

Q_DECLARE_METATYPE(tarrowen::ClockReading)

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
        QTest::addColumn<int>("day");         // the reading: day and seconds since its midnight
        QTest::addColumn<float>("seconds");
        QTest::newRow("morning") << 36000.0 << 1.5 << 0 << 36001.5f;
        QTest::newRow("just before midnight") << 86399.0 << 0.5 << 0 << 86399.5f;
        QTest::newRow("across midnight") << 86399.0 << 2.0 << 1 << 1.0f;
        QTest::newRow("a day and a half later") << 43200.0 << 129600.0 << 2 << 0.0f;
        // Day 30 reads as finely as day 0: 40000.005 s to the nearest 1/256 s.
        QTest::newRow("day 0, a fraction") << 40000.0 << 0.005 << 0 << 40000.00390625f;
        QTest::newRow("day 30, the same fraction")
            << 40000.0 << 30 * 86400.0 + 0.005 << 30 << 40000.00390625f;
        // A reading that the single would round up to midnight belongs to the next day.
        QTest::newRow("day 30, a hair before midnight")
            << 86399.0 << 30 * 86400.0 + 0.999 << 31 << 0.0f;
        QTest::newRow("day 30, across midnight") << 86399.0 << 30 * 86400.0 + 1.25 << 31 << 0.25f;
    }
    void day_clock_counts_past_midnight() {
        QFETCH(double, start);
        QFETCH(double, elapsed);
        QFETCH(int, day);
        QFETCH(float, seconds);
        std::chrono::steady_clock::duration steady = std::chrono::hours(1000);
        DayClock clock(start, [&steady] { return steady; });
        steady += std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double>(elapsed));
        const ClockReading r = clock.reading();
        QCOMPARE(r.day, day);
        QCOMPARE(r.seconds, seconds);
        QCOMPARE(clock.now(), seconds);
    }

    // A run started at `start`, paused at `pause` and resumed at `resume`, worked by hand: the
    // length of the pause, and the start moved on by it. Within one day a length is the single
    // difference; across days it goes on counting, as finely on day 30 as on day 0.
    void pauses_of_any_length_data() {
        QTest::addColumn<ClockReading>("start");
        QTest::addColumn<ClockReading>("pause");
        QTest::addColumn<ClockReading>("resume");
        QTest::addColumn<float>("length");
        QTest::addColumn<ClockReading>("moved");
        QTest::newRow("within the day") << R{0, 100} << R{0, 102} << R{0, 110} << 8.0f << R{0, 108};
        // 36000.29 in single is 36000.2890625.
        QTest::newRow("rounded as a single subtraction")
            << R{0, 0} << R{0, 36000} << R{0, 36000.29f} << 0.2890625f << R{0, 0.2890625f};
        QTest::newRow("the start moves into the next day")
            << R{0, 86000} << R{0, 86100} << R{1, 500} << 800.0f << R{1, 400};
        QTest::newRow("across midnight on day 30")
            << R{30, 100} << R{30, 86399.75f} << R{31, 0.01f} << 0.26f << R{30, 100.26f};
        // 2000.1 in single is 2000.0999755859375: the start moves by three days and that
        // fraction to the last bit.
        QTest::newRow("three days") << R{30, 1000.25f} << R{30, 2000} << R{33, 2000.1f} << 259200.1f
                                    << R{33, 1000.3499755859375f};
    }
    void pauses_of_any_length() {
        QFETCH(ClockReading, start);
        QFETCH(ClockReading, pause);
        QFETCH(ClockReading, resume);
        QFETCH(float, length);
        QFETCH(ClockReading, moved);
        QCOMPARE(seconds_between(pause, resume), length);
        const ClockReading got = moved_by(start, pause, resume);
        QCOMPARE(got.day, moved.day);
        QCOMPARE(got.seconds, moved.seconds);
    }

    void real_clock_reads_the_time_of_day() {
        DayClock clock;
        const double wall = local_seconds_since_midnight();
        const ClockReading reading = clock.reading();
        QVERIFY(reading.day == 0 || reading.day == 1);  // 1 if midnight has just passed
        QVERIFY(reading.seconds >= 0.0f && reading.seconds < 86400.0f);
        // Singles are 1/128 s apart at the end of the day; allow for a midnight in between.
        const double apart = std::fabs(reading.seconds - wall);
        QVERIFY(apart < 1.0 || std::fabs(apart - 86400.0) < 1.0);
    }
};

QTEST_GUILESS_MAIN(PlatformTimerTest)
#include "test_platform_timer.moc"
