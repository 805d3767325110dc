// SPDX-License-Identifier: GPL-3.0-or-later
// The periodic timer ticks only while on with an interval above 0; the clock counts on past
// midnight.
#include <QTest>
#include <chrono>
#include <cmath>

#include "platform/clock.h"
#include "platform/qt_timer.h"

using namespace tarrowen;

class PlatformTimerTest : public QObject {
    Q_OBJECT
  private slots:
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

    // Differences and moves of readings, worked by hand. Within one day they are the single
    // difference; across days they go on counting, as finely on day 30 as on day 0.
    void differences_of_readings_data() {
        QTest::addColumn<int>("from_day");
        QTest::addColumn<float>("from");
        QTest::addColumn<int>("to_day");
        QTest::addColumn<float>("to");
        QTest::addColumn<float>("seconds");  // seconds_between(from, to)
        QTest::newRow("same day") << 0 << 100.0f << 0 << 102.5f << 2.5f;
        QTest::newRow("same day, backwards") << 4 << 102.5f << 4 << 100.0f << -2.5f;
        // 0.29 in single is 0.28999999165534973; 36000.29 is 36000.2890625.
        QTest::newRow("same day, rounded as a single subtraction")
            << 0 << 36000.0f << 0 << 36000.29f << 0.2890625f;
        QTest::newRow("across midnight") << 0 << 86399.5f << 1 << 0.5f << 1.0f;
        QTest::newRow("across midnight on day 30") << 30 << 86399.75f << 31 << 0.01f << 0.26f;
        QTest::newRow("a week") << 0 << 100.0f << 7 << 100.0f << 604800.0f;
    }
    void differences_of_readings() {
        QFETCH(int, from_day);
        QFETCH(float, from);
        QFETCH(int, to_day);
        QFETCH(float, to);
        QFETCH(float, seconds);
        QCOMPARE(seconds_between({from_day, from}, {to_day, to}), seconds);
    }

    void moves_of_readings_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<float>("start");
        QTest::addColumn<float>("pause");  // paused on day `day` at `pause`
        QTest::addColumn<int>("resume_day");
        QTest::addColumn<float>("resume");
        QTest::addColumn<int>("moved_day");  // the start moved on by the pause
        QTest::addColumn<float>("moved");
        QTest::newRow("within the day") << 0 << 100.0f << 102.0f << 0 << 110.0f << 0 << 108.0f;
        QTest::newRow("into the next day")
            << 0 << 86000.0f << 86100.0f << 1 << 500.0f << 1 << 400.0f;
        QTest::newRow("a pause across midnight")
            << 30 << 100.0f << 86000.0f << 31 << 50.0f << 30 << 550.0f;
        // 2000.1 in single is 2000.0999755859375: the start moves by three days and that
        // fraction to the last bit.
        QTest::newRow("a pause of three days keeps the fraction")
            << 30 << 1000.25f << 2000.0f << 33 << 2000.1f << 33 << 1000.3499755859375f;
    }
    void moves_of_readings() {
        QFETCH(int, day);
        QFETCH(float, start);
        QFETCH(float, pause);
        QFETCH(int, resume_day);
        QFETCH(float, resume);
        QFETCH(int, moved_day);
        QFETCH(float, moved);
        const ClockReading r = moved_by({day, start}, {day, pause}, {resume_day, resume});
        QCOMPARE(r.day, moved_day);
        QCOMPARE(r.seconds, moved);
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
