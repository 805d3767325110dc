// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pixels of a straight line from (x1, y1) to (x2, y2) in device coordinates, drawn with a
// pen w device pixels wide, inside a width x height area.
//
// With dx = x2 - x1 and dy = y2 - y1:
//   |dx| > |dy| (along x): every column x from floor(min(x1, x2)) to floor(max(x1, x2)),
//     both included, holds the w rows from floor(y(x) - w / 2 + 0.5) on, where
//     y(x) = y1 + (x + 0.5 - x1) * (dy / dx) is the line's height at the column's centre.
//   otherwise (along y): every row y from floor(min(y1, y2)) to floor(max(y1, y2)) holds the
//     w columns from floor(x(y) - w / 2 + 0.5) on, x(y) = x1 + (y + 0.5 - y1) * (dx / dy),
//     with dx / dy taken as 0 for a point (dx = dy = 0).
// So a line parallel to an axis is a strip w pixels across, centred on the line, from the
// pixel of one end to the pixel of the other; a point is w pixels of one row. The formulas use
// the end points as given, never clipped ones: clipping only decides which columns (rows) to
// visit, so coordinates up to the single range cost no time and move no pixel in the area.
// The pixels depend on the arguments alone, so the same line drawn again in the background
// colour erases it exactly.
//
// Example, w = 1: from (0.5, 0.5) to (4.5, 2.5) (along x, slope 0.5) holds the pixels
// (0, 0), (1, 1), (2, 1), (3, 2), (4, 2): y(1) = 1, y(2) = 1.5, y(3) = 2, y(4) = 2.5.
// The horizontal line at y = 2 from x = -1e30 to 1e30 on a 10 x 5 area is the row 2, [0, 10).
//
// Rectangles are half-open (rect.h).

#include <cmath>

#include "core/canvas/clipping.h"
#include "core/canvas/rect.h"

namespace tarrowen {

// Calls paint(Rect) for the line's pixels inside the area: one rectangle for a line parallel
// to an axis, one per column (row) otherwise. Nothing for a line with a coordinate that is not
// finite.
template <typename Paint>
void rasterise_line(double x1, double y1, double x2, double y2, int w, int width, int height,
                    Paint&& paint) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return;
    }
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (std::fabs(dx) > std::fabs(dy)) {
        const Interval columns = pixels_between(x1, x2, width);
        if (dy == 0.0) {
            const Interval rows = band(y1, w, height);
            paint(Rect{columns.lo, rows.lo, columns.hi, rows.hi});
            return;
        }
        const double slope = dy / dx;
        for (int x = columns.lo; x < columns.hi; ++x) {
            const Interval rows = band(y1 + (x + 0.5 - x1) * slope, w, height);
            paint(Rect{x, rows.lo, x + 1, rows.hi});
        }
        return;
    }
    const Interval rows = pixels_between(y1, y2, height);
    if (dx == 0.0) {
        const Interval columns = band(x1, w, width);
        paint(Rect{columns.lo, rows.lo, columns.hi, rows.hi});
        return;
    }
    const double slope = dx / dy;
    for (int y = rows.lo; y < rows.hi; ++y) {
        const Interval columns = band(x1 + (y + 0.5 - y1) * slope, w, width);
        paint(Rect{columns.lo, y, columns.hi, y + 1});
    }
}

}  // namespace tarrowen
