// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/parameter_editing.h"

#include <cmath>

#include "core/layout/layout.h"
#include "core/motion/angle.h"
#include "core/motion/handler_error.h"
#include "core/motion/input.h"
#include "core/motion/motion_picture.h"
#include "core/numbers/number_text.h"

namespace tarrowen {

namespace {

// The same place on the circle as an angle within one turn, in (-pi, pi]. sin and cos reduce
// their argument exactly, so this is where the point stands even for an angle far too large
// to count its turns.
Number within_one_turn(double angle) {
    return Number::dbl(std::atan2(std::sin(angle), std::cos(angle)));
}

struct Phase {
    Number theta0;
    std::string note;  // empty unless the angle had to be taken within one turn
};

// theta0 for the new rate `omega`, such that theta0 + t_sec * omega is the angle of the last
// tick. Works on copies: a refusal changes nothing.
Phase phase_for(const MotionState& m, const Number& old, const Number& omega) {
    Phase p;
    Number angle;
    try {
        // The angle of the last tick, theta0 + t * old, is formed first; the new rate is then
        // taken off, so theta0 + t * omega keeps that angle and the point does not jump.
        angle = m.theta0 + m.t_sec * old;
        if (!angle_readouts_fit(angle)) {
            p.note = "The angle " + format_plain(angle) +
                     " is too large to go on from: the point goes on from where it is, with its "
                     "angle taken within one turn.";
            angle = within_one_turn(angle.to_double());
        }
    } catch (const ArithmeticError&) {
        // The last angle the tick could compute is where the point was last placed.
        p.note = "The angle cannot be computed with " + angle_culprit(m.theta0, m.t_sec, old) +
                 ": the point goes on from its last place, with its angle taken within one turn.";
        angle = within_one_turn(m.theta.to_double());
    }
    try {
        p.theta0 = angle - m.t_sec * omega;
    } catch (const ArithmeticError&) {
        throw HandlerError("The angular frequency " + format_plain(omega) +
                           " is too large: the angle cannot be kept where it was.");
    }
    return p;
}

void set_phase(Form& f, Phase p) {
    f.m.theta0 = p.theta0;
    f.note = std::move(p.note);
    f.txt_masses.set_text(kBoxTheta0, format_plain(f.m.theta0));
}

Number stepped(const Number& v, const Number& step, bool up, const char* what) {
    try {
        return up ? v + step : v - step;
    } catch (const ArithmeticError&) {
        throw HandlerError(std::string("The ") + what + " " + format_plain(v) +
                           " cannot be stepped any further.");
    }
}

// The step a step button chooses, as a constant of a formula: a whole number is a 16-bit
// integer (so "increment 1.000" steps by the integer 1), a fraction a double.
Number step_constant(double step) {
    if (step == std::floor(step)) return Number::int16(static_cast<std::int16_t>(step));
    return Number::dbl(step);
}

}  // namespace

void adjust_phase(Form& f, const Number& old) {
    set_phase(f, phase_for(f.m, old, f.m.ang_freq));
}

void cmd_apply_Click(Form& f) {
    MotionState& m = f.m;
    // Everything is read and worked out before anything is stored, so an Apply that fails
    // changes nothing and the next one can mend it.
    const Number w = read_input_box(f, kBoxOmega);
    const Number r = read_input_box(f, kBoxRadius);
    Phase p = phase_for(m, m.ang_freq, w);
    m.ang_freq = w;
    m.radius = r;
    set_phase(f, std::move(p));
}

void cmd_color_Click(Form& f, std::int16_t index) {
    MotionState& m = f.m;
    // The area is wiped last: a step that fails leaves the picture as it was.
    switch (index) {
        case 0:
        case 1:
            m.radius = stepped(m.radius, m.step, index == 0, "radius");
            f.txt_masses.set_text(kBoxRadius, format_plain(m.radius));
            wipe_drawing_area(f.Picture1);
            break;
        case 2:
        case 3: {
            const Number w = stepped(m.ang_freq, m.step, index == 2, "angular frequency");
            Phase p = phase_for(m, m.ang_freq, w);
            m.ang_freq = w;
            f.txt_masses.set_text(kBoxOmega, format_plain(m.ang_freq));
            set_phase(f, std::move(p));
            wipe_drawing_area(f.Picture1);
            break;
        }
        case 4:
        case 5:
        case 6:
        case 7:
            m.step = step_constant(layout::control(layout::cmd_color(index)).step);
            break;
        default:
            break;
    }
}

void txt_masses_Change(Form&, std::int16_t) {}

}  // namespace tarrowen
