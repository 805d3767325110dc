// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The disk of a circle in device pixels, and its pixels row by row.
//
// The pixel (x, y) has its centre at (x + 0.5, y + 0.5). It lies in the disk of centre
// (cx, cy) and radii rx, ry when
//   u * u + v * v <= 1,  u = (x + 0.5 - cx) / rx,  v = (y + 0.5 - cy) / ry,
// evaluated in double in exactly that order (no fused multiply-add: none of the compilers the
// tree builds with contracts these in standard C++ mode on its targets). Rounding is monotone,
// so along any row (and any column) the pixels in the disk form one interval. disk_row finds
// that interval by evaluating the same predicate, so it agrees bit for bit with a test of
// every pixel, for centres and radii up to the single range.
//
// Example, centre (10, 10), rx = ry = 3: row 10 holds [7, 13), row 7 [8, 12), row 6 none.

#include "core/canvas/clipping.h"

namespace tarrowen {

struct Disk {
    double cx = 0;
    double cy = 0;
    double rx = 0;
    double ry = 0;

    // v * v of row y.
    double row_term(int y) const {
        const double v = (y + 0.5 - cy) / ry;
        return v * v;
    }
    // Whether pixel x of the row whose row_term is vv lies in the disk.
    bool holds(int x, double vv) const {
        const double u = (x + 0.5 - cx) / rx;
        return u * u + vv <= 1.0;
    }
    bool holds(int x, int y) const { return holds(x, row_term(y)); }
};

// The pixels of row y in the disk that lie within [lo, hi), as one interval (empty when
// none). Costs a few evaluations of the predicate: a square root guesses the two ends, and
// each is then searched from its guess outwards (steps 1, 2, 4 ...) and halved down to the
// pixel, so even a guess far off (a radius of 1e40 pixels leaves sqrt no digits to place
// the end) costs a logarithm of the row's width.
Interval disk_row(const Disk& d, int y, int lo, int hi);

}  // namespace tarrowen
