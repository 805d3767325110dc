// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a circle paints, row by row: its outline in the outline colour and its interior in the
// fill colour, inside a width x height area of device pixels.
//
// With the disk D of disk_rows.h and the pen width w (one logical pixel: max(1, lround(ratio))
// device pixels):
//   outline   the pixels of D that have a pixel outside D within w steps left, right, up or
//             down (outside the area too);
//   interior  the other pixels of D: D eroded by a plus of arm w. With the row intervals
//             [L_y, R_y) of D, row y's interior is
//               [max(L_y + w, L_y-w, L_y+w), min(R_y - w, R_y-w, R_y+w)),
//             because D is one interval along every row and every column.
// For w = 1 the outline is a closed 8-connected curve one pixel wide, and the interior is
// 4-separated from the pixels outside D.
// When rx < 1 or ry < 1 (a radius of 0 included) the circle is a dot instead: the w x w pixels
// from (floor(cx - w / 2 + 0.5), floor(cy - w / 2 + 0.5)) on, in the outline colour.
//
// Example, centre (10, 10), rx = ry = 3, w = 1 (o outline, f interior), columns 7 to 12:
//   row 7   . o o o o .        row 10  o f f f f o
//   row 8   o f f f f o        row 11  o f f f f o
//   row 9   o f f f f o        row 12  . o o o o .
// With w = 2 the interior of the same disk is the four pixels [9, 11) x [9, 11): (8, 9) has
// (6, 9), outside D, two steps left, and (9, 8) has (9, 6) two steps up.
//
// Intervals are half-open (rect.h).

#include <span>
#include <vector>

#include "core/canvas/disk_rows.h"
#include "core/canvas/rect.h"

namespace tarrowen {

// A circle in device pixels on an area of width x height device pixels.
struct CircleGeometry {
    Disk disk;
    int pen = 1;
    int width = 0;
    int height = 0;

    friend bool operator==(const CircleGeometry& a, const CircleGeometry& b) {
        return a.disk.cx == b.disk.cx && a.disk.cy == b.disk.cy && a.disk.rx == b.disk.rx &&
               a.disk.ry == b.disk.ry && a.pen == b.pen && a.width == b.width &&
               a.height == b.height;
    }
    bool is_dot() const { return !(disk.rx >= 1.0 && disk.ry >= 1.0); }
};

// The circle's pixels in one row of the area: [x0, f0) and [f1, x1) outline, [f0, f1)
// interior; 0 <= x0 <= f0 <= f1 <= x1 <= width. A row without a pixel has x0 == x1.
struct CircleRow {
    int x0 = 0;
    int f0 = 0;
    int f1 = 0;
    int x1 = 0;
};

// Whether every pixel of the area is interior. Exact and cheap: it is whether D holds the two
// rectangles [-w, width + w) x [0, height) and [0, width) x [-w, height + w), and by the
// interval property D holds a rectangle when it holds its four corners.
bool circle_covers(const CircleGeometry& g);

class CircleRuns {
  public:
    // Makes the runs those of `g`. Reuses its storage: no allocation once it has held an area
    // as large.
    void build(const CircleGeometry& g);

    const CircleGeometry& geometry() const { return geometry_; }
    // The rows in bounds() hold pixels; row(y) for y in [bounds().y0, bounds().y1).
    const CircleRow& row(int y) const { return rows_[static_cast<std::size_t>(y)]; }
    // The smallest rectangle holding every pixel of the circle in the area.
    const Rect& bounds() const { return bounds_; }
    // The rows of column x that hold pixels of the circle, one interval (D is one along every
    // column, and so is a dot), for x in [bounds().x0, bounds().x1).
    const Interval& column(int x) const { return columns_[static_cast<std::size_t>(x)]; }
    // column(x) for every x of the area; valid until the next build().
    std::span<const Interval> columns() const { return columns_; }
    // The rows of column x that are interior, one interval: those whose pixels w steps up,
    // down, left and right lie in D, each condition an interval of the column.
    const Interval& interior_column(int x) const {
        return interior_columns_[static_cast<std::size_t>(x)];
    }
    bool covers() const { return covers_; }
    bool has_interior() const { return has_interior_; }
    bool has_outline() const { return has_outline_; }

  private:
    void build_dot();
    void build_disk();

    CircleGeometry geometry_;
    std::vector<CircleRow> rows_;    // by row of the area
    std::vector<Interval> spans_;    // D's rows from -w to height + w, clipped near the area
    std::vector<Interval> columns_;  // by column of the area
    std::vector<Interval> interior_columns_;
    Rect bounds_;
    bool covers_ = false;
    bool has_interior_ = false;
    bool has_outline_ = false;
};

}  // namespace tarrowen
