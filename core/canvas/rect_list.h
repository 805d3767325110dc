// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A short list of rectangles (half-open, see rect.h) whose union holds every rectangle added
// since the last clear(). It has a fixed capacity and never allocates, so a canvas can note
// every change in it on every tick, and a front-end can copy it by value.
//
// Rectangles are merged where that adds little area: a new rectangle joins one whose bounding
// box with it is at most twice their two areas plus 16 pixels (the one that took the last
// addition if it can, else the first that can). A line that moves a pixel a tick sweeps one
// strip; two lines crossing stay two strips, or every frame would copy the box they span. When
// the list is full, the new rectangle joins the one it enlarges least.
//   add {10, 0, 11, 500}, then {11, 0, 12, 500}: one rectangle {10, 0, 12, 500}.
//   add {10, 0, 11, 500}, then {0, 200, 567, 201}: two rectangles, as added.
// The union never shrinks by merging: each pixel added stays in some rectangle.

#include <array>
#include <cstddef>

#include "core/canvas/rect.h"

namespace tarrowen {

class RectList {
  public:
    static constexpr int kCapacity = 24;

    // Adds `r`; an empty rectangle adds nothing.
    void add(const Rect& r);
    void clear() { count_ = 0, last_ = 0; }
    bool empty() const { return count_ == 0; }
    int size() const { return count_; }
    const Rect* begin() const { return rects_.data(); }
    const Rect* end() const { return rects_.data() + count_; }
    const Rect& operator[](int i) const { return rects_[static_cast<std::size_t>(i)]; }

  private:
    std::array<Rect, kCapacity> rects_{};
    int count_ = 0;
    int last_ = 0;  // the rectangle that took the last addition
};

}  // namespace tarrowen
