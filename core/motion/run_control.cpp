// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/run_control.h"

#include <cmath>

#include "core/motion/input.h"
#include "core/motion/motion_picture.h"
#include "core/numbers/number_text.h"

namespace tarrowen {

namespace {

struct RunInputs {
    Number ang_freq;
    Number radius;
    Number theta0;
};

// All three are read before any is stored, so a number that cannot be read leaves the motion
// as it was.
RunInputs read_run_inputs(const Form& f) {
    return {read_input_box(f, kBoxOmega), read_input_box(f, kBoxRadius),
            read_input_box(f, kBoxTheta0)};
}

void start_run(Form& f, const RunInputs& in) {
    MotionState& m = f.m;
    m.ang_freq = in.ang_freq;
    m.radius = in.radius;
    m.theta0 = in.theta0;
    m.theta = m.theta0;
    const ClockReading now = f.clock.reading();
    m.t_start = Number::single(now.seconds);
    m.start_day = now.day;
    for (std::size_t i = 0; i < m.palette.size(); ++i)
        m.palette[i] = Number::int32(kPaletteColours[i]);
    f.Picture1.set_fill_colour(m.palette[kPaletteBlack].to_int32());
    const double th = m.theta.to_double();
    m.x_now = center_x() + Number::dbl(std::cos(th)) * m.radius;
    m.y_now = center_y() + Number::dbl(std::sin(th)) * (-m.radius);
}

ClockReading start_of(const MotionState& m) {
    return {m.start_day, m.t_start.to_single()};
}

ClockReading pause_of(const MotionState& m) {
    return {m.pause_day, m.t_pause.to_single()};
}

}  // namespace

void load_motion(Form& f) {
    // Timer1 starts on, with interval 0: it does not tick until Run sets 1 ms.
    f.Timer1.set_interval(0);
    f.Timer1.set_enabled(true);
    clear_drawing_area(f.Picture1);
    f.m.ang_freq = Number::dbl(parse_number(initial_text(kBoxOmega)));
    f.m.radius = Number::dbl(parse_number(initial_text(kBoxRadius)));
    f.m.theta0 = Number::dbl(parse_number(initial_text(kBoxTheta0)));
    // The width is the double quotient handed over as a single: 4.5333333015441895.
    f.Picture1.set_user_scale(static_cast<float>(kScaleHeight), static_cast<float>(kScaleWidth));
}

RunState run_state(const Form& f) {
    if (f.Timer1.interval() <= 0) return RunState::Idle;
    return f.Timer1.enabled() ? RunState::Running : RunState::Paused;
}

void runSImulation_Click(Form& f) {
    // The boxes are read before the area is cleared: a Run whose numbers cannot be read keeps
    // the picture as well as the motion.
    const RunInputs in = read_run_inputs(f);
    clear_drawing_area(f.Picture1);
    start_run(f, in);
    f.Timer1.set_interval(1);
    f.Timer1.set_enabled(true);
}

void init_run(Form& f) {
    start_run(f, read_run_inputs(f));
}

void cmd_stop_simulation_Click(Form& f) {
    if (run_state(f) != RunState::Running) return;
    const ClockReading now = f.clock.reading();
    f.m.t_pause = Number::single(now.seconds);
    f.m.pause_day = now.day;
    f.Timer1.set_enabled(false);
}

void cmd_restart_Click(Form& f) {
    if (run_state(f) != RunState::Paused) return;
    MotionState& m = f.m;
    const ClockReading now = f.clock.reading();
    m.pause_len = Number::single(seconds_between(pause_of(m), now));
    // The start moves on by the exact length of the pause, with its day, so even a pause of
    // days resumes without a jump.
    const ClockReading start = moved_by(start_of(m), pause_of(m), now);
    m.t_start = Number::single(start.seconds);
    m.start_day = start.day;
    f.Timer1.set_enabled(true);
}

void stop_after_error(Form& f) {
    cmd_stop_simulation_Click(f);
    f.Timer1.set_enabled(false);
}

}  // namespace tarrowen
