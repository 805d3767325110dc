// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rectangle of pixels, half-open on both axes: Rect{x0, y0, x1, y1} holds the pixels (x, y)
// with x0 <= x < x1 and y0 <= y < y1. Every interval of the canvas is half-open like this one,
// so widths are differences and neighbouring rectangles share an edge value:
//   Rect{2, 5, 4, 6} is the two pixels (2, 5) and (3, 5); width 2, height 1, area 2.
//   Rect{4, 5, 4, 9} is empty (no column); so is any rectangle with x1 <= x0 or y1 <= y0.
//   Rect{0, 0, 3, 3} & Rect{2, 2, 5, 5} = Rect{2, 2, 3, 3}, the one pixel (2, 2).

#include <algorithm>
#include <cstdint>

namespace tarrowen {

struct Rect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    constexpr int width() const { return x1 - x0; }
    constexpr int height() const { return y1 - y0; }
    constexpr bool empty() const { return x1 <= x0 || y1 <= y0; }
    // 64 bits: the product of two sides of a large canvas may not fit an int.
    constexpr std::int64_t area() const {
        return empty() ? 0 : std::int64_t{width()} * std::int64_t{height()};
    }
    constexpr bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
    // Whether `r` lies wholly inside; an empty `r` lies inside every rectangle.
    constexpr bool contains(const Rect& r) const {
        return r.empty() || (r.x0 >= x0 && r.x1 <= x1 && r.y0 >= y0 && r.y1 <= y1);
    }
    constexpr bool intersects(const Rect& r) const { return !(*this & r).empty(); }

    // The common pixels (possibly an empty rectangle).
    friend constexpr Rect operator&(const Rect& a, const Rect& b) {
        return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1),
                std::min(a.y1, b.y1)};
    }
    // The smallest rectangle holding both; an empty operand adds nothing.
    friend constexpr Rect bounding(const Rect& a, const Rect& b) {
        if (a.empty()) return b;
        if (b.empty()) return a;
        return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1),
                std::max(a.y1, b.y1)};
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tarrowen
