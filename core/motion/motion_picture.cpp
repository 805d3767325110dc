// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/motion_picture.h"

namespace tarrowen {

const Number& center_x() {
    static const Number v = Number::dbl(kCenterX);
    return v;
}

const Number& center_y() {
    static const Number v = Number::int16(static_cast<std::int16_t>(kCenterY));
    return v;
}

void wipe_drawing_area(DrawingArea& area) {
    area.circle(static_cast<float>(kCenterX), static_cast<float>(kCenterY), 6.0f);
}

void draw_orbit(Form& f) {
    f.Picture1.circle(center_x().to_single(), center_y().to_single(), f.m.radius.to_single(),
                      f.m.palette[kPaletteBlue].to_int32());
}

void draw_projection_lines(Form& f, float x, float y, std::int32_t colour) {
    f.Picture1.line(x, 0, x, kLineEnd, colour);
    f.Picture1.line(0, y, kLineEnd, y, colour);
}

}  // namespace tarrowen
