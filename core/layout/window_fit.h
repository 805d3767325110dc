// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout in a client area larger than at start-up (a window enlarged, maximised, full
// screen): scaled by the largest factor at which all of it fits, at its own proportions, and
// centred by a whole number of device pixels. Never below start-up's: a window made smaller
// shows the start-up layout cut off, as it always did.
//   start-up 739 x 560 at scale 1, client area 1478 x 1200: factor min(2, 2.14) = 2, the
//   layout 1478 x 1120 pixels, centred 40 pixels down.

#include <array>

#include "core/layout/layout.h"

namespace tarrowen::layout {

// The factor for a client area of `width` x `height`, in a unit in which the start-up client
// area is to_device(kClientWidth, unit_scale) x to_device(kClientHeight, unit_scale): a
// toolkit's logical pixels with unit_scale 1, or device pixels with their scale.
double fit_factor(double width, double height, double unit_scale);

struct Offset {
    int dx = 0, dy = 0;
    friend bool operator==(const Offset&, const Offset&) = default;
};

// Where the layout at `scale` (device pixels per 96-dpi pixel) stands centred in a client area
// of `width` x `height` device pixels; 0 along an axis where it does not fit.
Offset centring(int width, int height, double scale);

// Every control's place in device pixels at `scale`, moved by `offset`; the picture as large as
// its canvas, one canvas pixel to a device pixel (the canvas's rounding of its size may differ
// by a pixel from that of the picture's edges).
std::array<Place, kControlCount> device_places(double scale, Offset offset, int canvas_width,
                                               int canvas_height);

}  // namespace tarrowen::layout
