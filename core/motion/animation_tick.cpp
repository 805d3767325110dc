// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/animation_tick.h"

#include <cmath>

#include "core/motion/angle.h"
#include "core/motion/handler_error.h"
#include "core/motion/motion_picture.h"
#include "core/numbers/number_text.h"

namespace tarrowen {

namespace {

const Number kReadoutPiNumber = Number::dbl(kReadoutPi);
const Number k100 = Number::int16(100);
const Number k1000 = Number::int16(1000);

enum class Stage { Angle, Orbit, Lines, Readouts };

// Names the value at fault, never one that is fine.
std::string failure_message(Stage stage, const MotionState& m) {
    switch (stage) {
        case Stage::Angle:
            return "The angle theta0 + omega * t cannot be computed: " +
                   angle_culprit(m.theta0, m.t_sec, m.ang_freq) + " is too large.";
        case Stage::Orbit:
            return "The radius " + format_plain(m.radius) + " is too large to draw.";
        case Stage::Lines:
            return "The point (" + format_plain(m.x_now) + ", " + format_plain(m.y_now) +
                   ") lies too far away to draw.";
        case Stage::Readouts:
            if (!angle_readouts_fit(m.theta))
                return "The readouts cannot be computed: the angle " + format_plain(m.theta) +
                       " is too large.";
            return "The readouts cannot be computed: the radius " + format_plain(m.radius) +
                   " is too large.";
    }
    return "The motion cannot be computed.";
}

}  // namespace

void Timer1_Timer(Form& f) {
    MotionState& m = f.m;
    Stage stage = Stage::Angle;
    try {
        // The motion is a function of the clock alone: t, theta and the point are computed
        // afresh on every tick.
        // Within one day this is the single difference clock - t_start; across midnight the
        // days go on counting.
        m.t_sec = Number::single(
            seconds_between({m.start_day, m.t_start.to_single()}, f.clock.reading()));
        m.theta = m.ang_freq * m.t_sec + m.theta0;
        const double th = m.theta.to_double();
        const Number cos_theta = Number::dbl(std::cos(th));
        const Number sin_theta = Number::dbl(std::sin(th));
        m.x_now = m.radius * cos_theta + center_x();
        m.y_now = (-m.radius) * sin_theta + center_y();

        stage = Stage::Orbit;
        // The orbit paints its interior in the fill colour (black), blanking the inside.
        draw_orbit(f);

        stage = Stage::Lines;
        // The erasing lines narrow the very values that drew the old lines, so they cover
        // exactly the same pixels.
        // All four are narrowed first: a point too far away to draw leaves the old lines.
        const std::int32_t black = m.palette[kPaletteBlack].to_int32();
        const std::int32_t green = m.palette[kPaletteGreen].to_int32();
        const float xp = m.x_prev.to_single();
        const float yp = m.y_prev.to_single();
        const float xn = m.x_now.to_single();
        const float yn = m.y_now.to_single();
        draw_projection_lines(f, xp, yp, black);
        draw_projection_lines(f, xn, yn, green);
        m.x_prev = m.x_now;
        m.y_prev = m.y_now;

        stage = Stage::Readouts;
        // Box 3 is single precision throughout: 100 * t is formed as a single.
        f.txt_masses.set_text(kBoxTime, format_readout(floor_to(m.t_sec, 100)));
        f.txt_masses.set_text(kBoxTheta, format_readout(floor_to(m.theta, 100)));
        // The products in this order: (1000 * R) * cos, not floor_to(R * cos, 1000).
        f.txt_masses.set_text(kBoxX,
                              format_readout(((k1000 * m.radius) * cos_theta).floor() / k1000));
        f.txt_masses.set_text(kBoxY,
                              format_readout(((k1000 * m.radius) * sin_theta).floor() / k1000));
        std::string over_pi = format_readout(((k100 * m.theta) / kReadoutPiNumber).floor() / k100);
        over_pi += " pi";
        f.txt_masses.set_text(kBoxThetaOverPi, over_pi);
    } catch (const ArithmeticError&) {
        throw HandlerError(failure_message(stage, m));
    }
}

}  // namespace tarrowen
