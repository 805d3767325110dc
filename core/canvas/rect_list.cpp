// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/canvas/rect_list.h"

#include <cstdint>

namespace tarrowen {

namespace {

// Whether `r` joins `q`: their bounding box adds little area to the two.
bool joins(Rect& q, const Rect& r) {
    const Rect u = bounding(q, r);
    if (u.area() > 2 * (q.area() + r.area()) + 16) return false;
    q = u;
    return true;
}

}  // namespace

void RectList::add(const Rect& r) {
    if (r.empty()) return;
    // The rectangle that took the last one first: the rows of a span, the stretches of a line
    // come one after the other.
    if (last_ < count_ && joins(rects_[static_cast<std::size_t>(last_)], r)) return;
    int best = 0;
    std::int64_t best_growth = -1;
    for (int i = 0; i < count_; ++i) {
        Rect& q = rects_[static_cast<std::size_t>(i)];
        if (joins(q, r)) {
            last_ = i;
            return;
        }
        const std::int64_t growth = bounding(q, r).area() - q.area();
        if (best_growth < 0 || growth < best_growth) best_growth = growth, best = i;
    }
    if (count_ < kCapacity) {
        last_ = count_++;
        rects_[static_cast<std::size_t>(last_)] = r;
    } else {
        last_ = best;
        Rect& q = rects_[static_cast<std::size_t>(best)];
        q = bounding(q, r);
    }
}

}  // namespace tarrowen
