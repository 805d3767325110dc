// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/redraw_motion.h"

namespace tarrowen {

void redraw_motion(Form& f) {
    const MotionState& m = f.m;
    if (m.x_prev.is_empty()) return;
    clear_drawing_area(f.Picture1);
    try {
        f.Picture1.circle(center_x().to_single(), center_y().to_single(), m.radius.to_single(),
                          m.palette[kPaletteBlue].to_int32());
    } catch (const ArithmeticError&) {
        // Too large for a single: the tick that comes next says so.
    }
    try {
        // The tick stores x_prev and y_prev only once they have been drawn, so they narrow.
        const std::int32_t green = m.palette[kPaletteGreen].to_int32();
        const float x = m.x_prev.to_single();
        const float y = m.y_prev.to_single();
        f.Picture1.line(x, 0, x, kLineEnd, green);
        f.Picture1.line(0, y, kLineEnd, y, green);
    } catch (const ArithmeticError&) {
        // Not reached while the tick keeps that promise; a picture without lines is harmless.
    }
}

}  // namespace tarrowen
