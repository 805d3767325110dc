// SPDX-License-Identifier: GPL-3.0-or-later
// Run, pause, resume: every transition of the run states, driven with a fake clock.
#include <chrono>
#include <cmath>
#include <string>

#include "core/numbers/number_text.h"
#include "rig.h"

using namespace tarrowen;
using namespace tarrowen::testing;

TEST_CASE("run control: every transition of the run states") {
    struct Row {
        std::string name;
        std::string script;
        RunState state;
        std::string t_sec;  // elapsed time of the last tick, as format_plain
    };
    const Row rows[] = {
        {"start-up is idle", "", RunState::Idle, ""},
        {"run, tick", "run 100; tick 101.5", RunState::Running, "1.5"},
        {"first tick on an unchanged clock is t = 0", "run 100; tick 100", RunState::Running, "0"},
        {"pause stops the motion", "run 100; tick 101; pause 102", RunState::Paused, "1"},
        {"pause then restart resumes where it stopped", "run 100; pause 102; restart 110; tick 111",
         RunState::Running, "3"},
        {"second pause while paused counts for nothing",
         "run 100; pause 102; pause 105; restart 110; tick 111", RunState::Running, "3"},
        {"second restart after one pause does not jump back",
         "run 100; pause 102; restart 110; restart 115; tick 116", RunState::Running, "8"},
        {"restart while running does nothing", "run 40000; restart 40005; tick 40006",
         RunState::Running, "6"},
        {"restart while running after an old pause does nothing",
         "run 100; pause 102; restart 103; run 200; restart 250; tick 260", RunState::Running,
         "60"},
        {"pause before the first run does nothing", "pause 50", RunState::Idle, ""},
        {"restart before the first run does nothing", "restart 50", RunState::Idle, ""},
        {"pause and restart before the first run leave it normal",
         "pause 50; restart 60; run 100; tick 101", RunState::Running, "1"},
        {"run while running starts afresh", "run 100; tick 105; run 110; tick 111",
         RunState::Running, "1"},
        {"run while paused starts afresh and ticks at once",
         "run 100; pause 102; run 110; tick 111", RunState::Running, "1"},
        {"two pauses and resumes add up",
         "run 100; pause 101; restart 111; pause 112; restart 150; tick 151", RunState::Running,
         "3"},
        {"a pause after a resume counts again",
         "run 100; pause 101; restart 111; pause 112; restart 120; tick 121", RunState::Running,
         "3"},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        Rig rig;
        play(rig, row.script);
        CHECK(run_state(rig.form) == row.state);
        CHECK(format_plain(rig.m.t_sec) == row.t_sec);
        if (!rig.m.t_sec.is_empty()) CHECK(rig.m.t_sec.kind() == Kind::Single);
        CHECK(rig.timer.ticking() == (row.state == RunState::Running));
    }
}

// Run with the start-up texts: omega 2, R 1, theta0 0, the point at (170/75 + 1, 2).
TEST_CASE("run control: Run reads the panel") {
    Rig rig;
    rig.run_at(100);
    CHECK(rig.m.ang_freq == Number::dbl(2));
    CHECK(rig.m.radius == Number::dbl(1));
    CHECK(rig.m.theta0 == Number::dbl(0));
    CHECK(rig.m.theta == Number::dbl(0));
    CHECK(rig.m.t_start == Number::single(100));
    CHECK(rig.m.x_now == Number::dbl(3.2666666666666666));
    CHECK(rig.m.y_now == Number::dbl(2));
    CHECK(rig.m.palette[1] == Number::int32(255));
    CHECK(rig.m.palette[3] == Number::int32(16711680));
    CHECK(rig.timer.interval() == 1);
}

TEST_CASE("run control: Run reads junk as zero and keeps the text") {
    struct Row {
        std::string name;
        int box;
        std::string text;
    };
    const Row rows[] = {
        {"empty omega", 0, ""}, {"letters for R", 1, "abc"}, {"a comma for theta0", 2, ",5"}};
    for (const Row& row : rows) {
        INFO(row.name);
        Rig rig;
        rig.type(row.box, row.text);
        rig.run_at(100);
        const Number* fields[3] = {&rig.m.ang_freq, &rig.m.radius, &rig.m.theta0};
        CHECK(*fields[row.box] == Number::dbl(0));
        CHECK(rig.box(row.box) == row.text);
    }
}

// A number that cannot be read leaves the motion as it was, and the text as typed.
TEST_CASE("run control: Run with a number out of range") {
    Rig rig;
    rig.run_at(100);
    rig.tick_at(101);
    rig.type(kBoxOmega, "5");
    rig.type(kBoxRadius, "1E400");
    CHECK_THROWS_WITH_AS(rig.run_at(102),
                         "The number typed into the \"radius\" box (1E400) is too large. Please "
                         "type a smaller one.",
                         HandlerError);
    CHECK(rig.m.ang_freq == Number::dbl(2));
    CHECK(rig.m.t_start == Number::single(100));
    CHECK(rig.box(kBoxRadius) == "1E400");
}

// After a failed tick the motion is paused there; Restart then goes on without a jump.
TEST_CASE("run control: the stop after a failure acts as a pause") {
    Rig rig;
    rig.run_at(100);
    rig.tick_at(101);
    stop_after_error(rig.form);
    CHECK(run_state(rig.form) == RunState::Paused);
    rig.restart_at(130);
    rig.tick_at(131);
    CHECK(format_plain(rig.m.t_sec) == "2");
}

// The clock goes on past midnight: a run across it never sees time fall.
TEST_CASE("run control: a run across midnight") {
    std::chrono::steady_clock::duration steady{};
    DayClock clock(86390.0, [&steady] { return steady; });
    Rig rig;
    Form form{rig.m, rig.area, rig.panel, rig.timer, clock};
    runSImulation_Click(form);
    float last = -1;
    for (int s = 0; s <= 40; ++s) {
        steady = std::chrono::seconds(s);
        Timer1_Timer(form);
        const float t = rig.m.t_sec.to_single();
        INFO("at ", s, " s");
        REQUIRE(t > last);
        last = t;
    }
    CHECK(last == 40.0f);
    CHECK(clock.reading() == ClockReading{1, 30.0f});
}

// Box 3 shows every hundredth of a second on day 30 as on day 0, across midnight too, at the
// time of day where singles are coarsest as well: with a tick every 10 ms, 5 ms after each
// hundredth, it shows 0, .01, .02 ... .29 in turn.
TEST_CASE("run control: time is as fine on day 30 as on day 0") {
    struct Row {
        std::string name;
        double run_at;  // the time of day the run starts
    };
    const Row rows[] = {{"morning", 40000.0},
                        {"where singles are 1/128 s apart", 65536.5},
                        {"across midnight", 86399.84375}};
    for (int days : {0, 30}) {  // days after the clock was created, at 10:00
        for (const Row& row : rows) {
            INFO("day ", days, ", ", row.name);
            using namespace std::chrono;
            steady_clock::duration steady{};
            DayClock clock(kHandClockStart, [&steady] { return steady; });
            const auto set = [&steady](double s) {
                steady = duration_cast<steady_clock::duration>(duration<double>(s));
            };
            Rig rig;
            Form form{rig.m, rig.area, rig.panel, rig.timer, clock};
            const double start = days * 86400.0 + row.run_at - kHandClockStart;
            set(start);
            runSImulation_Click(form);
            for (int k = 0; k < 30; ++k) {
                set(start + 0.005 + 0.01 * k);
                Timer1_Timer(form);
                CAPTURE(k);
                CHECK(std::lround(parse_number(rig.box(kBoxTime)) * 100) == k);
            }
        }
    }
}
