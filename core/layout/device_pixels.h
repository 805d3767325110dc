// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Twips to the pixels of a device at any scale, in one rounding.
//
// `scale` is device pixels per pixel at 96 dots per inch: 1 at 96 dpi, 1.5 at 144, 2 at 192, or
// whatever a browser's zoom and screen make of it. Each edge is rounded to the nearest device
// pixel once, from twips (halves away from zero); sizes follow from the edges, so that
// controls that touch in twips touch on the device. Rounding the 96-dpi pixels again instead
// would put an edge up to a pixel away from where the twips say:
//   twips 1100-1550 at scale 1.5:  pixels 110-155 (45 high)
//   twips 1100-1550 at scale 2:    pixels 147-207 (60 high); twice the 96-dpi pixels 73-103
//                                  would be 146-206
// At scale 1 the result is to_pixels()'s.

#include "core/layout/layout.h"

namespace tarrowen::layout {

// One edge: twips · scale / 15, rounded to the nearest (halves away from zero).
int to_device(int twips, double scale);
// A rectangle: its four edges rounded, its size what lies between them.
Place to_device(const Place& twips, double scale);

}  // namespace tarrowen::layout
