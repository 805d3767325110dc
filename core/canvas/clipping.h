// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// From device coordinates (doubles, any finite value) to the pixels of an axis that a
// primitive touches, clipped to the area. The bounds are compared in double before anything
// is converted to int, so a coordinate up to the single range (about 4e40 device pixels at
// 200 %) clips to the nearest edge instead of overflowing, and clipping never moves a pixel
// that lies inside the area: it only decides which of them to visit.
//
// Intervals are half-open, [lo, hi), like every interval of the canvas (see rect.h).

#include <cmath>

namespace tarrowen {

struct Interval {
    int lo = 0;
    int hi = 0;
    constexpr bool empty() const { return hi <= lo; }
};

// floor(v) clamped to [lo, hi]; NaN gives lo.
//   floor_clamped(3.7, 0, 10) = 3   floor_clamped(-0.5, 0, 10) = 0   floor_clamped(1e40, 0, 10) =
//   10
inline int floor_clamped(double v, int lo, int hi) {
    if (!(v >= lo)) return lo;
    if (v >= hi) return hi;
    return static_cast<int>(std::floor(v));
}

// The pixels from the one holding the smaller of a and b to the one holding the larger, both
// included, within [0, limit).
//   pixels_between(2.5, 0.2, 10) = [0, 3)   pixels_between(-1e30, 1e30, 10) = [0, 10)
//   pixels_between(4.0, 4.0, 10) = [4, 5)   pixels_between(12, 30, 10) = [10, 10), empty
inline Interval pixels_between(double a, double b, int limit) {
    const double lo = a < b ? a : b;
    const double hi = a < b ? b : a;
    return {floor_clamped(lo, 0, limit), floor_clamped(hi, -1, limit - 1) + 1};
}

// The band of `w` pixels centred on `v`: from floor(v - w / 2 + 0.5) on, within [0, limit).
// A one-pixel band is the pixel holding v; a two-pixel band the two whose shared edge is
// nearest to v.
//   band(3.7, 1, 10) = [3, 4)   band(3.7, 2, 10) = [3, 5)   band(3.2, 2, 10) = [2, 4)
//   band(-0.2, 2, 10) = [0, 1) (the pixel -1 lies outside)
inline Interval band(double v, int w, int limit) {
    const double first = std::floor(v - w / 2.0 + 0.5);
    return {floor_clamped(first, 0, limit), floor_clamped(first + w, 0, limit)};
}

}  // namespace tarrowen
