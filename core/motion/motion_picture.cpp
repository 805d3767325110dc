// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/motion_picture.h"

namespace tarrowen {

void draw_orbit(Form& f) {
    f.Picture1.circle(center_x().to_single(), center_y().to_single(), f.m.radius.to_single(),
                      f.m.palette[kPaletteBlue].to_int32());
}

void draw_projection_lines(Form& f, float x, float y, std::int32_t colour) {
    f.Picture1.line(x, 0, x, kLineEnd, colour);
    f.Picture1.line(0, y, kLineEnd, y, colour);
}

}  // namespace tarrowen
