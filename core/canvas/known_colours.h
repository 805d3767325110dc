// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A few rectangles, each known to hold one colour in every pixel, so that a write of that
// colour can pass over their rows without reading them: the line that erases where the orbit
// was just repainted finds the interior there already in its colour.
//
// Invariant: every pixel of a noted rectangle holds the pixel value noted with it. It holds
// because the facts live inside TrackedPixels, next to its only writes: each write first
// forgets every fact of another colour that it touches (forget_other), and a fact is noted
// only of pixels just written in its colour.
//   note {10, 0, 12, 300} black; a black write over {10, 0, 12, 500} passes over rows
//   [0, 300) and writes rows [300, 500). A green write over {0, 100, 567, 101} then forgets
//   the fact, and the next black write over those columns reads every row.
//
// Rectangles are half-open (rect.h); pixel values are in the canvas's own format.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/canvas/clipping.h"
#include "core/canvas/rect.h"

namespace tarrowen {

class KnownColours {
  public:
    static constexpr int kCapacity = 4;

    // The rows of a rectangle that are left to write: at most one interval more than facts.
    struct Rows {
        std::array<Interval, kCapacity + 1> runs{};
        int count = 0;
        const Interval* begin() const { return runs.data(); }
        const Interval* end() const { return runs.data() + count; }
    };

    // Notes that every pixel of `r` holds `pixel`; the oldest fact makes room when full.
    void note(const Rect& r, std::uint32_t pixel);
    // Forgets the facts of another colour than `pixel` that share a pixel with `r`.
    void forget_other(const Rect& r, std::uint32_t pixel) {
        if (count_ > 0) forget_other_slow(r, pixel);
    }
    void clear() { count_ = 0; }
    // Each fact's pixel becomes map(pixel), after the same map rewrote every pixel.
    template <typename Map>
    void recode(Map map) {
        for (int i = 0; i < count_; ++i)
            facts_[static_cast<std::size_t>(i)].pixel =
                map(facts_[static_cast<std::size_t>(i)].pixel);
    }
    // Whether any fact is of `pixel`.
    bool knows(std::uint32_t pixel) const {
        for (int i = 0; i < count_; ++i) {
            if (facts_[static_cast<std::size_t>(i)].pixel == pixel) return true;
        }
        return false;
    }

    // The rows of `r` that no fact of `pixel` spanning all of r's columns holds, in order.
    //   facts black {10, 0, 12, 300} and {9, 400, 13, 450}: the rows of {10, 0, 12, 500}
    //   left to write in black are [300, 400) and [450, 500).
    Rows rows_to_write(const Rect& r, std::uint32_t pixel) const;

  private:
    struct Fact {
        Rect rect;
        std::uint32_t pixel;
    };
    void forget_other_slow(const Rect& r, std::uint32_t pixel);

    std::array<Fact, kCapacity> facts_{};  // the oldest first
    int count_ = 0;
};

}  // namespace tarrowen
