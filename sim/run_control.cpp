// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "sim/form.h"
#include "sim/input.h"
#include "ui/number_text.h"

namespace tarrowen {

const Number& center_x() {
    static const Number v = Number::dbl(kCenterX);
    return v;
}

const Number& center_y() {
    static const Number v = Number::int16(2);
    return v;
}

void load_motion(Form& f) {
    clear_drawing_area(f.Picture1);
    f.m.ang_freq = Number::dbl(parse_number(kInitialTexts[0]));
    f.m.radius = Number::dbl(parse_number(kInitialTexts[1]));
    f.m.theta0 = Number::dbl(parse_number(kInitialTexts[2]));
    // The width is the double quotient handed over as a single: 4.5333333015441895.
    f.Picture1.set_user_scale(4.0f, static_cast<float>(340.0 / 75.0));
}

RunState run_state(const Form& f) {
    if (f.Timer1.interval() <= 0) return RunState::Idle;
    return f.Timer1.enabled() ? RunState::Running : RunState::Paused;
}

void runSImulation_Click(Form& f) {
    clear_drawing_area(f.Picture1);
    init_run(f);
    f.Timer1.set_interval(1);
    f.Timer1.set_enabled(true);
}

void init_run(Form& f) {
    MotionState& m = f.m;
    // All three are read before any is stored, so a number that cannot be read leaves the
    // motion as it was.
    const Number w = read_input_box(f, 0);
    const Number r = read_input_box(f, 1);
    const Number t0 = read_input_box(f, 2);
    m.ang_freq = w;
    m.radius = r;
    m.theta0 = t0;
    m.theta = m.theta0;
    m.t_start = Number::single(f.clock.now());
    m.palette = {Number::int32(0), Number::int32(255), Number::int32(65280),
                 Number::int32(16711680)};
    f.Picture1.set_fill_colour(m.palette[0].to_int32());
    const double th = m.theta.to_double();
    m.x_now = center_x() + Number::dbl(std::cos(th)) * m.radius;
    m.y_now = center_y() + Number::dbl(std::sin(th)) * (-m.radius);
}

void cmd_stop_simulation_Click(Form& f) {
    if (run_state(f) != RunState::Running) return;
    f.m.t_pause = Number::single(f.clock.now());
    f.Timer1.set_enabled(false);
}

void cmd_restart_Click(Form& f) {
    if (run_state(f) != RunState::Paused) return;
    MotionState& m = f.m;
    m.pause_len = Number::single(f.clock.now()) - m.t_pause;
    m.t_start = m.t_start + m.pause_len;
    f.Timer1.set_enabled(true);
}

void stop_after_error(Form& f) {
    cmd_stop_simulation_Click(f);
    f.Timer1.set_enabled(false);
}

}  // namespace tarrowen
