// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture of the motion, drawn the one way: the orbit, and a projection line through a
// point. The tick draws with these, and so does the redraw after a change of pixel ratio, so
// that both leave the same pixels.

#include <cstdint>

#include "core/motion/form.h"

namespace tarrowen {

// The orbit of the current radius round the centre, in blue: its interior painted in the fill
// colour (black during a run), then its outline. Throws OverflowError when the radius does not
// narrow to a single.
void draw_orbit(Form& f);

// The vertical line through x and the horizontal line through y, from the left or top edge to
// kLineEnd, in `colour`; drawn again at the same x and y in black, they are gone exactly.
void draw_projection_lines(Form& f, float x, float y, std::int32_t colour);

}  // namespace tarrowen
