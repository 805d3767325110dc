// SPDX-License-Identifier: GPL-3.0-or-later
// When an asked-for frame goes out, and the report of the ticks a timer delivered.
#include <doctest/doctest.h>

#include "core/frontend/frame_pacer.h"
#include "core/frontend/tick_stats.h"

using namespace tarrowen;

TEST_CASE("a frame goes out at once after a quiet spell, else one period after the last") {
    struct Row {
        double hz;     // the screen's refresh rate
        double last;   // the last frame went out at; < 0: none yet
        double asked;  // the frame is asked for at
        double due;    // and goes out at
        int wait_ms;   // whole milliseconds to wait for it
    };
    const Row rows[] = {
        {60, -1, 5.0, 5.0, 0},                            // the first frame
        {60, 10.0, 10.005, 10.0 + 1.0 / 60, 12},          // 11.67 ms to go
        {60, 10.0, 10.5, 10.5, 0},                        // an idle spell: at once
        {60, 10.0, 10.0 + 1.0 / 60, 10.0 + 1.0 / 60, 0},  // exactly a period on
        {60, 10.0, 10.0, 10.0 + 1.0 / 60, 17},            // asked as the last went out
        {144, 2.0, 2.001, 2.0 + 1.0 / 144, 6},            // 5.94 ms
        {30, 2.0, 2.001, 2.0 + 1.0 / 30, 33},             // 32.33 ms
        {0, 2.0, 2.001, 2.0 + 1.0 / 60, 16},              // a screen that does not say: 60 Hz
        {1, 2.0, 2.001, 2.0 + 1.0 / 60, 16},              // nor does 1 Hz (the hardware's default)
    };
    for (const Row& r : rows) {
        CAPTURE(r.hz);
        CAPTURE(r.last);
        CAPTURE(r.asked);
        FramePacer p;
        p.set_refresh_rate(r.hz);
        if (r.last >= 0) p.delivered(r.last);
        CHECK(p.due(r.asked) == doctest::Approx(r.due).epsilon(1e-12));
        CHECK(p.wait_ms(r.asked) == r.wait_ms);
        CHECK(p.is_due(r.asked) == (r.wait_ms == 0));
    }
}

TEST_CASE("a new refresh rate paces the next frame") {
    FramePacer p;
    p.delivered(1.0);
    CHECK(p.due(1.001) == doctest::Approx(1.0 + 1.0 / 60));
    // The window moved to a 120 Hz screen.
    p.set_refresh_rate(120);
    CHECK(p.due(1.001) == doctest::Approx(1.0 + 1.0 / 120));
    CHECK(p.period() == doctest::Approx(1.0 / 120));
}

TEST_CASE("a frame asked for goes out once, when it is due") {
    FramePacer p;
    CHECK_FALSE(p.take_due(1.0));  // none asked for
    p.request();
    CHECK(p.take_due(1.0));  // the first at once
    CHECK_FALSE(p.requested());
    p.request();
    CHECK_FALSE(p.take_due(1.01));  // 1/60 s after the last
    CHECK(p.requested());
    CHECK(p.take_due(1.0 + 1.0 / 60));
    CHECK_FALSE(p.take_due(1.1));  // taken: not again until asked for
    p.request();
    CHECK(p.take_due(1.1));  // idle for longer than a period: at once
}

TEST_CASE("the tick report counts ticks and the intervals between them") {
    struct Row {
        int ticks;
        double first, every;
        const char* note;
        const char* line;
    };
    const Row rows[] = {
        {0, 0, 0, "", "tarrowen: 0 ticks in 0.000 s (0.0 per second)"},
        {1, 7, 0, "", "tarrowen: 1 ticks in 0.000 s (0.0 per second)"},
        {1001, 3, 0.001, "", "tarrowen: 1001 ticks in 1.000 s (1000.0 per second)"},
        {11, 3, 0.25, " on the fallback timer",
         "tarrowen: 11 ticks in 2.500 s (4.0 per second) on the fallback timer"},
    };
    for (const Row& r : rows) {
        CAPTURE(r.ticks);
        TickStats s;
        for (int i = 0; i < r.ticks; ++i)
            s.count(r.first + i * r.every);
        CHECK(s.ticks() == r.ticks);
        CHECK(s.line("tarrowen", r.note) == r.line);
    }
}
