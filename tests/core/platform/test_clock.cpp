// SPDX-License-Identifier: GPL-3.0-or-later
// The clock counts on past midnight, as finely on day 30 as on day 0; pauses of any length move
// the start of a run to the last bit; the hand-set clock moves across midnights the same way.
#include <doctest/doctest.h>

#include <chrono>
#include <cmath>
#include <cstdio>

#include "core/platform/clock.h"
#include "core/platform/hand_clock.h"

using namespace tarrowen;
using R = ClockReading;

namespace doctest {
template <>
struct StringMaker<R> {
    static String convert(const R& r) {
        // snprintf, not std::string's +: mingw's g++ 12 warns falsely of overlapping copies there.
        char text[64];
        std::snprintf(text, sizeof text, "{%lld, %.9g}", static_cast<long long>(r.day),
                      static_cast<double>(r.seconds));
        return text;
    }
};
}  // namespace doctest

TEST_CASE("the day clock counts past midnight") {
    struct Row {
        const char* name;
        double start;    // seconds since midnight when created
        double elapsed;  // seconds later
        R reading;       // day and seconds since its midnight
    };
    const Row rows[] = {
        {"morning", kHandClockStart, 1.5, {0, 36001.5f}},
        {"just before midnight", 86399.0, 0.5, {0, 86399.5f}},
        {"across midnight", 86399.0, 2.0, {1, 1.0f}},
        {"a day and a half later", 43200.0, 129600.0, {2, 0.0f}},
        // Day 30 reads as finely as day 0: 40000.005 s to the nearest 1/256 s.
        {"day 0, a fraction", 40000.0, 0.005, {0, 40000.00390625f}},
        {"day 30, the same fraction", 40000.0, 30 * 86400.0 + 0.005, {30, 40000.00390625f}},
        // A reading that the single would round up to midnight belongs to the next day.
        {"day 30, a hair before midnight", 86399.0, 30 * 86400.0 + 0.999, {31, 0.0f}},
        {"day 30, across midnight", 86399.0, 30 * 86400.0 + 1.25, {31, 0.25f}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        std::chrono::steady_clock::duration steady = std::chrono::hours(1000);
        DayClock clock(row.start, [&steady] { return steady; });
        steady += std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double>(row.elapsed));
        CHECK(clock.reading() == row.reading);
        CHECK(clock.now() == row.reading.seconds);
    }
}

// A run started at `start`, paused at `pause` and resumed at `resume`, worked by hand: the
// length of the pause, and the start moved on by it. Within one day a length is the single
// difference; across days it goes on counting, as finely on day 30 as on day 0.
TEST_CASE("pauses of any length") {
    struct Row {
        const char* name;
        R start, pause, resume;
        float length;
        R moved;
    };
    const Row rows[] = {
        {"within the day", {0, 100}, {0, 102}, {0, 110}, 8.0f, {0, 108}},
        // 36000.29 in single is 36000.2890625.
        {"rounded as a single subtraction",
         {0, 0},
         {0, 36000},
         {0, 36000.29f},
         0.2890625f,
         {0, 0.2890625f}},
        {"the start moves into the next day", {0, 86000}, {0, 86100}, {1, 500}, 800.0f, {1, 400}},
        {"across midnight on day 30",
         {30, 100},
         {30, 86399.75f},
         {31, 0.01f},
         0.26f,
         {30, 100.26f}},
        // 2000.1 in single is 2000.0999755859375: the start moves by three days and that
        // fraction to the last bit.
        {"three days",
         {30, 1000.25f},
         {30, 2000},
         {33, 2000.1f},
         259200.1f,
         {33, 1000.3499755859375f}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        CHECK(seconds_between(row.pause, row.resume) == row.length);
        CHECK(moved_by(row.start, row.pause, row.resume) == row.moved);
    }
}

TEST_CASE("the hand-set clock starts at 10:00 and moves with its day") {
    struct Row {
        const char* name;
        R from;
        double by;
        R to;
    };
    const Row rows[] = {
        {"a tick", {0, kHandClockStart}, 0.001, {0, kHandClockStart + 0.001f}},
        {"back a minute", {0, kHandClockStart}, -60, {0, 35940}},
        {"across midnight", {0, 86399.5f}, 1, {1, 0.5f}},
        {"back across midnight", {2, 10}, -20, {1, 86390}},
        {"days at once", {0, 100}, 3 * 86400.0 + 0.25, {3, 100.25f}},
        // The sum is rounded once: 1/256 s is the step of a single at 10:00.
        {"below a single's step", {0, kHandClockStart}, 1e-4, {0, kHandClockStart}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        HandClock clock;
        CHECK(clock.reading() == R{0, 10 * 3600.0f});  // 10:00
        clock.set(row.from);
        clock.advance(row.by);
        CHECK(clock.reading() == row.to);
        CHECK(clock.now() == row.to.seconds);
    }
}

TEST_CASE("the real clock reads the time of day") {
    DayClock clock;
    const double wall = local_seconds_since_midnight();
    const ClockReading reading = clock.reading();
    CHECK((reading.day == 0 || reading.day == 1));  // 1 if midnight has just passed
    CHECK(reading.seconds >= 0.0f);
    CHECK(reading.seconds < 86400.0f);
    // Singles are 1/128 s apart at the end of the day; allow for a midnight in between.
    const double apart = std::fabs(reading.seconds - wall);
    CHECK((apart < 1.0 || std::fabs(apart - 86400.0) < 1.0));
}
