// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture of the motion, drawn the one way: the orbit, and a projection line through a
// point. The tick draws with these, and so does the redraw after a change of pixel ratio, so
// that both leave the same pixels.

#include <cstdint>

#include "core/canvas/drawing_area.h"
#include "core/motion/form.h"
#include "core/motion/user_scale.h"
#include "core/numbers/dynamic_number.h"

namespace tarrowen {

// The orbit centre as numbers: 170/75 (double) and 2 (16-bit integer).
const Number& center_x();
const Number& center_y();

// Where every projection line ends: beyond the width and the height, so each line crosses the
// whole area from the left or top edge.
inline constexpr float kLineEnd = 5.0f;

// A circle of radius 6 round the centre in no colour: paints the whole area in the fill colour
// (its outline, in the foreground colour, lies wholly outside the area).
void wipe_drawing_area(DrawingArea& area);

// The orbit of the current radius round the centre, in blue: its interior painted in the fill
// colour (black during a run), then its outline. Throws OverflowError when the radius does not
// narrow to a single.
void draw_orbit(Form& f);

// The vertical line through x and the horizontal line through y, from the left or top edge to
// kLineEnd, in `colour`; drawn again at the same x and y in black, they are gone exactly.
void draw_projection_lines(Form& f, float x, float y, std::int32_t colour);

}  // namespace tarrowen
