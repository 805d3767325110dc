// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The canvas's pixels and the only way to write them.
//
// The rule: every pixel write goes through this class, and this class notes every pixel it
// changes. The buffer is private and the writes below are its only writers, so the rule holds
// by construction; what each write changed is noted in one place, note_change(), into
//   changed: the rectangles changed since the front-end last took them (take_changed), and
//   touched: those of them within the watched region (watch), i.e. where the pixels of the
//            shape the canvas last painted may no longer hold its colours.
// A write notes only where it changed pixels: what it notes holds every pixel it changed and
// reaches, along a row (a column), from the first of them to the last; writing a pixel's own
// value again notes nothing, so a call that changes nothing reports nothing.
//   A 4 x 4 area all black: fill_rect({1, 0, 2, 4}, green) changes the column x = 1 and notes
//   {1, 0, 2, 4}; the same call again notes nothing; fill_rect({0, 1, 4, 2}, green) then notes
//   {0, 1, 4, 2}, the pixel (1, 1) written again between two that changed.
// The facts of KnownColours live here too, next to the writes that could break them.
//
// Rectangles are half-open (rect.h) and in device pixels; values are pixels in the canvas's
// format (pixel_format.h).

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "core/canvas/clipping.h"
#include "core/canvas/known_colours.h"
#include "core/canvas/rect.h"
#include "core/canvas/rect_list.h"

namespace tarrowen {

class TrackedPixels {
  public:
    // A width x height area of `pixel`, all of it noted as changed.
    TrackedPixels(int width, int height, std::uint32_t pixel);

    int width() const { return width_; }
    int height() const { return height_; }
    // Pixels per row of data(); rows follow each other without a gap.
    int stride() const { return width_; }
    const std::uint32_t* data() const { return pixels_.data(); }
    std::uint32_t at(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                       static_cast<std::size_t>(x)];
    }

    // --- the writes -------------------------------------------------------------------------
    enum class Remember { No, Yes };
    // Writes `r` (clipped to the area) in `pixel`. Rows that known facts show to hold `pixel`
    // already are passed over. With Remember::Yes, r is afterwards known to hold `pixel`.
    void fill_rect(const Rect& r, std::uint32_t pixel, Remember remember = Remember::No);
    // The span [x0, x1) of row y; the same as fill_rect({x0, y, x1, y + 1}, pixel).
    void fill_span(int y, int x0, int x1, std::uint32_t pixel) {
        if (x0 < x1) fill_rect({x0, y, x1, y + 1}, pixel);
    }
    // Makes the area width x height, each new pixel the old one under its centre: the new
    // pixel (x, y) takes the old pixel (((2x + 1) * old width) / (2 * width),
    // ((2y + 1) * old height) / (2 * height)) in integer arithmetic. From 567 to 1134 pixels
    // across, the new x = 2k and 2k + 1 take the old k; from 1134 to 567 the new k takes the
    // old 2k + 1. The whole area counts as changed.
    void resize_stretched(int width, int height);
    // Rewrites every pixel p as map(p), for a map that is one to one (a change of colour
    // scheme). The facts of known colours then hold of their mapped pixels, and where the
    // watched shape held its colours it holds their images, so nothing counts as touched; the
    // rows whose pixels changed count as changed.
    template <typename Map>
    void recode(Map map);

    // --- what changed ------------------------------------------------------------------------
    // The rectangles changed since the last call; empty when no pixel changed.
    RectList take_changed();
    // From now on notes in touched() the changes within `bounds`, and forgets what it held;
    // watch({}) notes none. With `column_rows`, a change at most kNarrow columns wide (a line
    // down the area) is noted only within the rows column_rows[x] of its columns x: a line
    // across the orbit's box but beside the orbit touches nothing. column_rows covers every
    // column of `bounds` and must stay valid until the next watch().
    static constexpr int kNarrow = 4;
    void watch(const Rect& bounds, std::span<const Interval> column_rows = {});
    const RectList& touched() const { return touched_; }

  private:
    std::uint32_t* row(int y) {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    void write_rows(const Rect& r, Interval rows, std::uint32_t pixel);
    void write_columns(const Rect& r, Interval rows, std::uint32_t pixel);
    void note_change(const Rect& r);

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    RectList changed_;
    Rect watched_;
    std::span<const Interval> watched_columns_;
    RectList touched_;
    KnownColours known_;
};

template <typename Map>
void TrackedPixels::recode(Map map) {
    // Runs of one colour are the rule: map each run's colour once.
    std::uint32_t from = pixels_.empty() ? 0 : pixels_.front();
    std::uint32_t to = map(from);
    Interval rows{height_, 0};
    for (int y = 0; y < height_; ++y) {
        std::uint32_t* p = row(y);
        bool changed = false;
        for (int x = 0; x < width_; ++x) {
            if (p[x] != from) from = p[x], to = map(from);
            changed |= to != from;
            p[x] = to;
        }
        if (changed) rows = {std::min(rows.lo, y), y + 1};
    }
    known_.recode(map);
    if (!rows.empty()) changed_.add({0, rows.lo, width_, rows.hi});
}

}  // namespace tarrowen
