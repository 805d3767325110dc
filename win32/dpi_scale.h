// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's places at a monitor's dpi: the layout's twips in device pixels, rounded once
// (core/layout/device_pixels.h), and the few distances of the window's own (a frame, a margin)
// given in pixels at 96 dpi.

#include <windows.h>

#include "core/layout/device_pixels.h"

namespace tarrowen {

// Device pixels per pixel at 96 dpi.
inline double scale_of(UINT dpi) {
    return dpi / 96.0;
}

// Pixels at 96 dpi at `dpi`.
inline int scaled(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), 96);
}

inline RECT device_rect(const layout::Place& twips, UINT dpi) {
    const layout::Place p = layout::to_device(twips, scale_of(dpi));
    return {p.left, p.top, p.right(), p.bottom()};
}

}  // namespace tarrowen
