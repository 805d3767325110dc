// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/redraw_motion.h"

#include "core/motion/motion_picture.h"

namespace tarrowen {

void redraw_motion(Form& f) {
    const MotionState& m = f.m;
    if (m.x_prev.is_empty()) return;
    clear_drawing_area(f.Picture1);
    try {
        draw_orbit(f);
    } catch (const ArithmeticError&) {
        // Too large for a single: the tick that comes next says so.
    }
    try {
        // The tick stores x_prev and y_prev only once they have been drawn, so they narrow.
        draw_projection_lines(f, m.x_prev.to_single(), m.y_prev.to_single(),
                              m.palette[kPaletteGreen].to_int32());
    } catch (const ArithmeticError&) {
        // Not reached while the tick keeps that promise; a picture without lines is harmless.
    }
}

}  // namespace tarrowen
