// SPDX-License-Identifier: GPL-3.0-or-later
// Apply, the adjust and step buttons, and the phase that keeps the point from jumping.
#include <string>

#include "core/numbers/number_text.h"
#include "rig.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

// Boxes 0 to 2, each ending in "|".
std::string inputs(const Rig& rig) {
    return rig.box(kBoxOmega) + "|" + rig.box(kBoxRadius) + "|" + rig.box(kBoxTheta0) + "|";
}

}  // namespace

TEST_CASE("editing: Apply and the buttons rewrite the boxes and the state") {
    struct Row {
        std::string name;
        std::string script;
        std::string inputs;  // boxes 0, 1, 2 afterwards
        std::string omega;   // format_plain of the state afterwards
        std::string radius;
    };
    // Buttons: 0 incr rad, 1 decr rad, 2 incr freq, 3 decr freq, 4-7 steps 1 .. 0.001.
    const Row rows[] = {
        {"incr rad before any step rewrites box 1 from the state, not the text",
         "type 1 1.50; button 0", "2|1|0|", "2", "1"},
        {"first incr rad after increment 1.000 writes 2", "button 4; button 0", "2|2|0|", "2", "2"},
        {"first incr freq after increment 0.100 writes 2.1", "button 5; button 2", "2.1|1|0|",
         "2.1", "1"},
        {"incr freq before any step rewrites boxes 0 and 2", "type 2 0.7; button 2", "2|1|0|", "2",
         "1"},
        {"steps 0.01 and 0.001 both ways", "button 6; button 2; button 7; button 3; button 1",
         "2.009|0.999|0|", "2.009", "0.999"},
        {"the last step chosen is the one in force", "button 7; button 4; button 0; button 0",
         "2|3|0|", "2", "3"},
        {"stepping past zero is accepted",
         "button 4; button 1; button 1; button 3; button 3; button 3", "-1|-1|0|", "-1", "-1"},
        {"apply before the first run writes theta0 = 0 whatever was typed",
         "type 0 3; type 1 0.5; type 2 1.2; apply", "3|0.5|0|", "3", "0.5"},
        {"apply keeps boxes 0 and 1 as typed, read in part", "type 0 3abc; type 1 1,5; apply",
         "3abc|1,5|0|", "3", "1"},
        // theta0 = 0 + 2 s * 2 - 2 s * 3.
        {"apply while running moves theta0 by t * (old - new)",
         "run 100; tick 102; type 0 3; apply", "3|1|-2|", "3", "1"},
        {"a theta0 typed while running is replaced by the next apply",
         "run 100; tick 101; type 2 9; apply", "2|1|0|", "2", "1"},
        {"apply with omega unchanged keeps theta0", "type 2 0.25; run 100; tick 104; apply",
         "2|1|0.25|", "2", "1"},
        {"a run after the buttons starts from the values shown",
         "button 5; button 2; button 0; run 100; tick 100", "2.1|1.1|0|", "2.1", "1.1"},
        {"a button index outside 0 to 7 does nothing",
         "button 4; button 8; button -1; button 32767", "2|1|0|", "2", "1"},
        {"apply with a number out of range changes nothing", "type 0 7; type 1 1E400; apply",
         "7|1E400|0|", "2", "1"},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        Rig rig;
        play(rig, row.script);
        CHECK(inputs(rig) == row.inputs);
        CHECK(format_plain(rig.m.ang_freq) == row.omega);
        CHECK(format_plain(rig.m.radius) == row.radius);
    }
}

// Changing omega keeps the angle of the last tick, running and paused, and afterwards the point
// goes on from there at the new rate. The figures are worked by hand: theta0 is the angle at the
// change less t times the new omega, and the angle after is the angle at the change plus the
// running time since, times the new omega.
TEST_CASE("editing: the phase is continuous when omega changes") {
    struct Row {
        std::string name;
        std::string script;  // ends with the state of the change
        std::string change;
        std::string theta0;  // box 2 after the change
        std::string after;   // what follows the change
        double theta;        // the angle at the last tick of `after`
    };
    const Row rows[] = {
        // t = 3.5 s at the change: the angle 0.4 + 3.5 * 2 = 7.4, theta0 7.4 + 3.5 * 1.25 =
        // 11.775; 2 s later the angle is 7.4 - 2 * 1.25 = 4.9.
        {"apply while running", "type 2 0.4; run 1000; tick 1003.5", "type 0 -1.25; apply",
         "11.775", "tick 1005.5", 4.9},
        // t = 1.25 s, the angle 2.5, the new omega 2.01: theta0 is 2.5 - 1.25 * 2.01 = -0.0125
        // by hand; the box shows the double result, worked with Python's decimal module from
        // the doubles: 2 + 0.01 rounds to 2.00999999999999978684, 1.25 times that to
        // 2.51249999999999973355, and 2.5 less that is -0.01249999999999973355 exactly, written
        // to 15 digits. 1 s later the angle is 2.5 + 2.01 = 4.51.
        {"incr freq while running", "button 6; run 1000; tick 1001.25", "button 2",
         "-0.0124999999999997", "tick 1002.25", 4.51},
        // t = 2 s, the angle 4, the new omega 1: theta0 4 - 2 = 2; 3 s of running later, 7.
        {"decr freq while paused, then resumed", "button 4; run 1000; tick 1002; pause 1002",
         "button 3", "2", "restart 1100; tick 1100; tick 1103", 7.0},
        // t = 10 s, the angle 20: theta0 20 - 10 * 7.5 = -55; 2.5 s later, 20 + 18.75 = 38.75.
        {"apply while paused, then resumed", "run 20000; tick 20010; pause 20010.5",
         "type 0 7.5; apply", "-55", "restart 20050.5; tick 20052.5", 38.75},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        Rig rig;
        play(rig, row.script);
        play(rig, row.change);
        CHECK(rig.box(kBoxTheta0) == row.theta0);
        play(rig, row.after);
        CHECK(rig.m.theta.to_double() == doctest::Approx(row.theta).epsilon(1e-12));
        CHECK(rig.reports.all() == "");
    }
}

// Ten thousand presses of a 0.1 step drift as adding 0.1 in double does, not further. The sums
// were worked with Python floats (IEEE doubles): 1.0 plus 0.1 ten thousand times is
// 1001.000000000159, 2.0 less 0.1 as often is -998.0000000001584.
TEST_CASE("editing: many presses drift as double arithmetic does") {
    Rig rig;
    cmd_color_Click(rig.form, 5);
    for (int i = 0; i < 10000; ++i) {
        cmd_color_Click(rig.form, 0);
        cmd_color_Click(rig.form, 3);
    }
    CHECK(rig.m.radius == Number::dbl(1001.000000000159));
    CHECK(rig.m.ang_freq == Number::dbl(-998.0000000001584));
    CHECK(rig.box(kBoxRadius) == "1001.00000000016");
    CHECK(rig.box(kBoxOmega) == "-998.000000000158");
}

// The adjust buttons wipe the area in its fill colour: dark purple before the first Run,
// black after it. The step buttons and Apply draw nothing on the black of start-up.
TEST_CASE("editing: the colour of the wipe") {
    struct Row {
        std::string name;
        std::string script;
        int purple;  // pixels of RGB(64, 0, 64) afterwards
        int black;
    };
    const Row rows[] = {
        {"incr rad before the first run", "button 0", kAllPixels, 0},
        {"decr freq before the first run", "button 3", kAllPixels, 0},
        {"step buttons draw nothing", "button 4; button 7", 0, kAllPixels},
        {"apply draws nothing", "apply", 0, kAllPixels},
        {"run clears the purple", "button 1; run 10", 0, kAllPixels},
        {"after a run the wipe is black", "run 10; tick 11; button 2", 0, kAllPixels},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        Rig rig;
        play(rig, row.script);
        CHECK(rig.count(kFillAtCreation) == row.purple);
        CHECK(rig.count(kBlack) == row.black);
    }
}

// An extreme omega raises the failure through the handler; the state stays usable.
TEST_CASE("editing: an extreme omega fails in words") {
    Rig rig;
    play(rig, "run 100; tick 102");
    rig.type(kBoxOmega, "1E308");
    CHECK_THROWS_WITH_AS(cmd_apply_Click(rig.form),
                         "The angular frequency 1E+308 is too large: the angle cannot be kept "
                         "where it was.",
                         HandlerError);
    // Nothing changed, so typing a sane value mends it.
    CHECK(rig.m.ang_freq == Number::dbl(2));
    CHECK(rig.box(kBoxOmega) == "1E308");
    rig.type(kBoxOmega, "2");
    cmd_apply_Click(rig.form);
    rig.tick_at(103);
    CHECK(rig.box(kBoxTime) == " 3");
}

TEST_CASE("editing: typing changes nothing") {
    Rig rig;
    play(rig, "run 100; tick 101");
    for (int i = 0; i < kBoxCount; ++i) {
        rig.type(i, "99");
        txt_masses_Change(rig.form, static_cast<std::int16_t>(i));
    }
    CHECK(rig.m.ang_freq == Number::dbl(2));
    CHECK(rig.m.radius == Number::dbl(1));
    CHECK(rig.m.theta0 == Number::dbl(0));
    CHECK(rig.m.t_start == Number::single(100));
}
