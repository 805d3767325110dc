// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/form.h"
#include "sim/input.h"
#include "ui/number_text.h"

namespace tarrowen {

void adjust_phase(Form& f, const Number& old) {
    MotionState& m = f.m;
    // The angle of the last tick, theta0 + t * old, is formed first; the new rate is then
    // taken off, so theta0 + t * ang_freq keeps that angle and the point does not jump.
    try {
        m.theta0 =
            (m.theta0 + m.t_sec * old) - m.t_sec * m.ang_freq;  // theta0 unchanged on failure
    } catch (const ArithmeticError&) {
        throw HandlerError("The angular frequency " + format_plain(m.ang_freq) +
                           " is too large: the angle cannot be kept where it was.");
    }
    f.txt_masses.set_text(2, format_plain(m.theta0));
}

void cmd_apply_Click(Form& f) {
    MotionState& m = f.m;
    const Number old = m.ang_freq;
    // Both are read before either is stored, so a number that cannot be read changes nothing.
    const Number w = read_input_box(f, 0);
    const Number r = read_input_box(f, 1);
    const Number old_radius = m.radius;
    m.ang_freq = w;
    m.radius = r;
    try {
        adjust_phase(f, old);
    } catch (const HandlerError&) {
        // An Apply that cannot keep the angle changes nothing, so the next one can mend it.
        m.ang_freq = old;
        m.radius = old_radius;
        throw;
    }
}

namespace {

Number stepped(const Number& v, const Number& step, bool up, const char* what) {
    try {
        return up ? v + step : v - step;
    } catch (const ArithmeticError&) {
        throw HandlerError(std::string("The ") + what + " " + format_plain(v) +
                           " cannot be stepped any further.");
    }
}

}  // namespace

void cmd_color_Click(Form& f, std::int16_t index) {
    MotionState& m = f.m;
    switch (index) {
        case 0:
        case 1:
            m.radius = stepped(m.radius, m.step, index == 0, "radius");
            wipe_drawing_area(f.Picture1);
            f.txt_masses.set_text(1, format_plain(m.radius));
            break;
        case 2:
        case 3: {
            const Number old = m.ang_freq;
            m.ang_freq = stepped(m.ang_freq, m.step, index == 2, "angular frequency");
            wipe_drawing_area(f.Picture1);
            f.txt_masses.set_text(0, format_plain(m.ang_freq));
            try {
                adjust_phase(f, old);
            } catch (const HandlerError&) {
                m.ang_freq = old;
                f.txt_masses.set_text(0, format_plain(m.ang_freq));
                throw;
            }
            break;
        }
        case 4:
            m.step = Number::int16(1);
            break;
        case 5:
            m.step = Number::dbl(0.1);
            break;
        case 6:
            m.step = Number::dbl(0.01);
            break;
        case 7:
            m.step = Number::dbl(0.001);
            break;
        default:
            break;
    }
}

void txt_masses_Change(Form&, std::int16_t) {}

}  // namespace tarrowen
