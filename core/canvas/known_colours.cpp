// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/canvas/known_colours.h"

#include <algorithm>

namespace tarrowen {

void KnownColours::note(const Rect& r, std::uint32_t pixel) {
    if (r.empty()) return;
    if (count_ == kCapacity) {
        std::copy(facts_.begin() + 1, facts_.end(), facts_.begin());
        --count_;
    }
    facts_[static_cast<std::size_t>(count_++)] = {r, pixel};
}

void KnownColours::forget_other_slow(const Rect& r, std::uint32_t pixel) {
    int kept = 0;
    for (int i = 0; i < count_; ++i) {
        const Fact& f = facts_[static_cast<std::size_t>(i)];
        if (f.pixel != pixel && f.rect.intersects(r)) continue;
        facts_[static_cast<std::size_t>(kept++)] = f;
    }
    count_ = kept;
}

KnownColours::Rows KnownColours::rows_to_write(const Rect& r, std::uint32_t pixel) const {
    // The row intervals that facts hold across all of r's columns, sorted by their start.
    std::array<Interval, kCapacity> held{};
    int n = 0;
    for (int i = 0; i < count_; ++i) {
        const Fact& f = facts_[static_cast<std::size_t>(i)];
        if (f.pixel != pixel || f.rect.x0 > r.x0 || f.rect.x1 < r.x1) continue;
        const Interval rows{std::max(f.rect.y0, r.y0), std::min(f.rect.y1, r.y1)};
        if (rows.empty()) continue;
        int k = n++;
        for (; k > 0 && held[static_cast<std::size_t>(k - 1)].lo > rows.lo; --k)
            held[static_cast<std::size_t>(k)] = held[static_cast<std::size_t>(k - 1)];
        held[static_cast<std::size_t>(k)] = rows;
    }
    Rows left;
    int y = r.y0;
    for (int i = 0; i < n; ++i) {
        const Interval& h = held[static_cast<std::size_t>(i)];
        if (h.lo > y) left.runs[static_cast<std::size_t>(left.count++)] = {y, h.lo};
        y = std::max(y, h.hi);
    }
    if (y < r.y1) left.runs[static_cast<std::size_t>(left.count++)] = {y, r.y1};
    return left;
}

}  // namespace tarrowen
