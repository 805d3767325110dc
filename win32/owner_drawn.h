// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls the window draws itself (WM_DRAWITEM): the labels, with their captions wrapped
// and centred both ways, and the button that carries its own colour ("Run Simulation"), which a
// themed push button cannot show: flat in its colour, with a frame a shade darker, darker
// still while pressed, and the focus rectangle just inside the frame.

#include <windows.h>

#include "core/layout/layout.h"

namespace tarrowen {

// Draws control `c` as `item` asks, its caption in `font`, at `dpi`.
void draw_owner_drawn(const DRAWITEMSTRUCT& item, const layout::Control& c, HFONT font, UINT dpi);

}  // namespace tarrowen
