// SPDX-License-Identifier: GPL-3.0-or-later
// Every way a handler can fail, in every run state, run as the window runs it: exactly one
// report, in words that name the value at fault, and the motion left as the user had it. Only
// a failing tick stops the timer. Then the frequency too large for the tick, mended by the user.
#include <cmath>
#include <string>
#include <vector>

#include "core/numbers/number_text.h"
#include "rig.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

// Every field of the motion, to compare before and after.
std::string fields(const MotionState& m) {
    std::string out;
    for (const Number* n :
         {&m.ang_freq, &m.radius, &m.theta0, &m.theta, &m.t_sec, &m.t_start, &m.t_pause,
          &m.pause_len, &m.step, &m.x_now, &m.y_now, &m.x_prev, &m.y_prev})
        out += n->describe() + " ";
    for (const Number& c : m.palette)
        out += c.describe() + " ";
    return out + std::to_string(m.start_day) + " " + std::to_string(m.pause_day);
}

std::string inputs(const Rig& rig) {
    return rig.box(kBoxOmega) + "|" + rig.box(kBoxRadius) + "|" + rig.box(kBoxTheta0);
}

double shown(const Rig& rig, int box) {
    return parse_number(rig.box(box));
}

// How each state is reached; the clock then stands at 103 or before.
const char* set_up(RunState s) {
    return s == RunState::Idle      ? ""
           : s == RunState::Running ? "run 100; tick 102"
                                    : "run 100; tick 102; pause 103";
}

std::string too_large_typed(const std::string& box, const std::string& text) {
    return "The number typed into the \"" + box + "\" box (" + text +
           ") is too large. Please type a smaller one.";
}
std::string cannot_keep(const std::string& omega) {
    return "The angular frequency " + omega +
           " is too large: the angle cannot be kept where it was.";
}
std::string refused(int box) {
    return "The program could not finish this: box " + std::to_string(box) + " refused its text.";
}

}  // namespace

TEST_CASE("failures: a failure leaves the motion as it was") {
    const std::vector<RunState> all{RunState::Idle, RunState::Running, RunState::Paused};
    const std::vector<RunState> after_a_tick{RunState::Running, RunState::Paused};
    struct Failure {
        std::string name;
        std::vector<RunState> states;
        std::string cause;    // played after the set-up, before the failure
        std::string handler;  // the step that fails
        bool tick;
        bool picture_kept;
        std::string message;
    };
    // Stepping a double by at most 1 never overflows, so the adjust buttons fail here the way a
    // control might: the box refuses its new text.
    const Failure failures[] = {
        {"Run, radius out of range", all, "type 1 1E400", "run 104", false, true,
         too_large_typed("radius", "1E400")},
        {"Run, theta0 box cannot be read", all, "refuse-read 2", "run 104", false, true,
         "The program could not finish this: box 2 cannot be read."},
        {"Apply, omega out of range", all, "type 0 1E400", "apply", false, true,
         too_large_typed("ang freq", "1E400")},
        // Before the first tick t is empty, and any omega keeps the angle.
        {"Apply, omega that cannot keep the angle", after_a_tick, "type 0 1E308", "apply", false,
         true, cannot_keep("1E+308")},
        {"Apply, theta0 box refuses", all, "type 0 3; type 1 2; refuse-write 2", "apply", false,
         true, refused(2)},
        {"incr rad, box refuses", all, "button 4; refuse-write 1", "button 0", false, true,
         refused(1)},
        {"decr rad, box refuses", all, "button 5; refuse-write 1", "button 1", false, true,
         refused(1)},
        {"incr freq, box refuses", all, "button 4; refuse-write 0", "button 2", false, true,
         refused(0)},
        // Box 0 is written before box 2 refuses: it shows its old text again.
        {"decr freq, theta0 box refuses", all, "button 6; refuse-write 2", "button 3", false, true,
         refused(2)},
        // A huge omega stays in force only after the tick failed on it, which pauses.
        {"incr freq, omega that cannot keep the angle",
         {RunState::Paused},
         "type 0 1E308; run 104; tick 106",
         "button 2",
         false,
         true,
         cannot_keep("1E+308")},
        {"Apply after a failed tick, new omega that cannot keep the angle",
         {RunState::Paused},
         "type 0 1E308; run 104; tick 106; type 0 1.5E308",
         "apply",
         false,
         true,
         cannot_keep("1.5E+308")},
        // The timer delivers ticks only while running; idle and paused are reached by a direct
        // call, and stay as they are.
        {"tick, radius too large to draw", all, "type 1 1E39; apply", "tick 104", true, true,
         "The radius 1E+39 is too large to draw."},
        {"tick, readout box refuses", all, "refuse-write 3", "tick 104", true, false, refused(3)},
        {"tick, omega * t beyond the double range",
         {RunState::Running},
         "type 0 1E308; run 103",
         "tick 105",
         true,
         true,
         "The angle theta0 + omega * t cannot be computed: the angular frequency 1E+308 is too "
         "large."},
        {"tick, theta0 + omega * t beyond the double range",
         {RunState::Running},
         "type 2 1.7E308; type 0 5E307; run 103",
         "tick 104",
         true,
         true,
         "The angle theta0 + omega * t cannot be computed: the phase theta0 1.7E+308 is too "
         "large."},
        // t = 74/4096 s: the angle 1.806640625E+306 itself fits, 100 times it does not.
        {"tick, angle too large for its readouts",
         {RunState::Running},
         "type 0 1E308; run 96",
         "tick 96.01806640625",
         true,
         false,
         "The readouts cannot be computed: the angle 1.806640625E+306 is too large."},
    };
    for (const Failure& f : failures) {
        for (RunState state : f.states) {
            INFO(f.name, " while ", state);
            Rig rig;
            play(rig, set_up(state));
            play(rig, f.cause);
            REQUIRE(run_state(rig.form) == state);
            rig.reports.messages.clear();
            const std::vector<std::int32_t> picture = rig.pixels();
            const std::string motion = fields(rig.m);
            const std::string typed = inputs(rig);
            const int interval = rig.timer.interval();
            const bool enabled = rig.timer.enabled();

            play(rig, f.handler);

            CHECK(rig.reports.all() == f.message);
            // Only the tick stops the timer; a running motion is then paused where it failed.
            const RunState after = f.tick && state == RunState::Running ? RunState::Paused : state;
            CHECK(run_state(rig.form) == after);
            CHECK((rig.pixels() == picture) == f.picture_kept);
            CHECK(inputs(rig) == typed);
            if (!f.tick) {
                CHECK(fields(rig.m) == motion);
                CHECK(rig.timer.interval() == interval);
                CHECK(rig.timer.enabled() == enabled);
            }
        }
    }
}

// Sequences that leave an angle the motion cannot go on from; then the user types a fine omega
// and presses Apply. Apply takes it with the angle within one turn of the point's place, says so
// once, and from then on everything goes on without a report.
TEST_CASE("failures: a frequency too large for the tick is mended") {
    const std::string not_computable = "The angle cannot be computed with ";
    const std::string within_one_turn =
        ": the point goes on from its last place, with its angle taken within one turn.";
    struct Row {
        std::string name;
        std::string failure;  // ends in the failed tick
        std::string note;     // the one report of the mend
    };
    const Row rows[] = {
        {"tick 2 s after Run: the angle cannot be computed", "type 0 1E308; run 100; tick 102",
         not_computable + "the angular frequency 1E+308" + within_one_turn},
        {"ticks every ms: the readouts of the angle cannot be formed",
         "type 0 1E308; run 96; tick 96.0009765625; tick 96.01806640625",
         "The angle 1.806640625E+306 is too large to go on from: the point goes on from where it "
         "is, with its angle taken within one turn."},
        {"a huge theta0: the angle cannot be computed",
         "type 2 1.7E308; type 0 5E307; run 100; tick 101",
         not_computable + "the phase theta0 1.7E+308" + within_one_turn},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        Rig rig;
        play(rig, row.failure);
        REQUIRE(run_state(rig.form) == RunState::Paused);
        rig.reports.messages.clear();
        // Where the point was last placed.
        const double x_last = rig.m.x_now.to_double();
        const double y_last = rig.m.y_now.to_double();

        play(rig, "type 0 2; apply");

        CHECK(rig.reports.all() == row.note);
        CHECK(rig.m.ang_freq == Number::dbl(2));
        CHECK(shown(rig, kBoxTheta0) == doctest::Approx(rig.m.theta0.to_double()));
        // Resumed at once and ticked on the same clock reading, so at the time of the failed
        // tick: the point stands where it was last placed, its angle within one turn.
        play(rig, "restart; tick");
        CHECK(std::fabs(rig.m.x_now.to_double() - x_last) < 1e-9);
        CHECK(std::fabs(rig.m.y_now.to_double() - y_last) < 1e-9);
        CHECK(std::fabs(rig.m.theta.to_double()) <= 4.0);

        // From then on: ticks, Apply and the buttons go on with no further report, and the
        // readouts are ordinary numbers again.
        play(rig, "tick 110; apply; tick 111; button 2; tick 112");
        CHECK(rig.reports.all() == row.note);
        CHECK(run_state(rig.form) == RunState::Running);
        INFO("theta shows ", rig.box(kBoxTheta), ", theta/pi ", rig.box(kBoxThetaOverPi));
        CHECK(std::fabs(shown(rig, kBoxTheta)) < 100);
        CHECK(std::fabs(shown(rig, kBoxThetaOverPi)) < 100);
    }
}
