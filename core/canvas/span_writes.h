// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing runs of pixels so that only the pixels of another colour are written, and saying
// which changed. These work on bare rows of pixels; the canvas reaches them only through
// TrackedPixels, which notes what they changed (see tracked_pixels.h).
//
// Intervals are half-open: a span [x0, x1) of a row; the pixels a write changed are
// [first, last), empty when first == last.
//   row 0 0 5 5 0, write_span(row, 0, 5, 5) writes pixels 0 to 4 only where they differ and
//   gives [0, 5); the row is then 5 5 5 5 5, and the same call again gives an empty interval.
//   row 5 0 5 0 5, write_span(row, 1, 4, 5) gives [1, 4): the pixel 2 was 5 already, but the
//   changed interval runs from the first changed pixel to the last.

#include <cstdint>

#include "core/canvas/clipping.h"

namespace tarrowen {

// Whether the 8 pixels from p on are all `pixel`; a loop the compiler turns into vector code.
inline bool all_of_8(const std::uint32_t* p, std::uint32_t pixel) {
    std::uint32_t other = 0;
    for (int k = 0; k < 8; ++k)
        other |= p[k] ^ pixel;
    return other == 0;
}

// std::fill in blocks of 8, which the compiler turns into vector stores.
inline void fill_pixels(std::uint32_t* p, int n, std::uint32_t pixel) {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        for (int k = 0; k < 8; ++k)
            p[i + k] = pixel;
    }
    for (; i < n; ++i)
        p[i] = pixel;
}

// Writes [x0, x1) of `row` in `pixel`, from the first pixel of another colour to the last;
// gives the pixels it changed as [first, last).
inline Interval write_span(std::uint32_t* row, int x0, int x1, std::uint32_t pixel) {
    if (x1 - x0 <= 4) {
        // Where a line crossed: a pixel or two, one at a time.
        Interval changed{x1, x0};
        for (int x = x0; x < x1; ++x) {
            if (row[x] == pixel) continue;
            row[x] = pixel;
            if (x < changed.lo) changed.lo = x;
            changed.hi = x + 1;
        }
        return changed.empty() ? Interval{} : changed;
    }
    int a = x0;
    while (a + 8 <= x1 && all_of_8(row + a, pixel))
        a += 8;
    while (a < x1 && row[a] == pixel)
        ++a;
    if (a == x1) return {};
    int b = x1;
    while (b - 8 >= a && all_of_8(row + b - 8, pixel))
        b -= 8;
    while (row[b - 1] == pixel)
        --b;
    fill_pixels(row + a, b - a, pixel);
    return {a, b};
}

}  // namespace tarrowen
