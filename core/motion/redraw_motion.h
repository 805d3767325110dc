// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/motion/form.h"

namespace tarrowen {

// Draws the picture of the motion afresh, for a drawing area that has just changed its pixel
// size and holds a stretched copy of the old picture: the area blanked in black, then the orbit
// of the current radius and the two green lines where the last tick drew them, each exactly as
// a tick draws it. So the next tick finds what it would find at that resolution and leaves the
// picture that a run started afresh there would show.
//
// Before the first tick since the window opened nothing of a run has been drawn and the area is
// of one colour, which stretching keeps: it is left alone. Raises nothing: an orbit too large
// to draw is left out, and the next tick reports it.
void redraw_motion(Form& f);

}  // namespace tarrowen
