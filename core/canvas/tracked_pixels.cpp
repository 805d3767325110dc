// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/canvas/tracked_pixels.h"

#include <algorithm>
#include <cstddef>
#include <type_traits>

#include "core/canvas/span_writes.h"

namespace tarrowen {

namespace {

int non_negative(int v) {
    return std::max(v, 0);
}

std::size_t pixel_count(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

TrackedPixels::TrackedPixels(int width, int height, std::uint32_t pixel)
    : width_(non_negative(width)),
      height_(non_negative(height)),
      pixels_(pixel_count(width_, height_), pixel) {
    note_change({0, 0, width_, height_});
}

void TrackedPixels::note_change(const Rect& r) {
    changed_.add(r);
    Rect t = r & watched_;
    if (t.empty()) return;
    if (t.width() <= kNarrow && !watched_columns_.empty()) {
        Interval rows{t.y1, t.y0};
        for (int x = t.x0; x < t.x1; ++x) {
            const Interval& c = watched_columns_[static_cast<std::size_t>(x)];
            if (!c.empty()) rows = {std::min(rows.lo, c.lo), std::max(rows.hi, c.hi)};
        }
        t.y0 = std::max(t.y0, rows.lo);
        t.y1 = std::min(t.y1, rows.hi);
    }
    touched_.add(t);
}

RectList TrackedPixels::take_changed() {
    const RectList taken = changed_;
    changed_.clear();
    return taken;
}

void TrackedPixels::watch(const Rect& bounds, std::span<const Interval> column_rows) {
    watched_ = bounds;
    watched_columns_ = column_rows;
    touched_.clear();
}

void TrackedPixels::fill_rect(const Rect& rect, std::uint32_t pixel, Remember remember) {
    const Rect r = rect & Rect{0, 0, width_, height_};
    if (r.empty()) return;
    known_.forget_other(r, pixel);
    const auto write = [&](Interval rows) {
        if (r.width() > rows.hi - rows.lo) {
            write_rows(r, rows, pixel);
        } else {
            write_columns(r, rows, pixel);
        }
    };
    if (known_.knows(pixel)) {
        for (const Interval& rows : known_.rows_to_write(r, pixel))
            write(rows);
    } else {
        write({r.y0, r.y1});
    }
    if (remember == Remember::Yes) known_.note(r, pixel);
}

// Row by row, as along a horizontal line or a span of a circle; what changed is noted as the
// box of the rows' changed spans, which lie one under the other.
void TrackedPixels::write_rows(const Rect& r, Interval rows, std::uint32_t pixel) {
    Rect box;
    for (int y = rows.lo; y < rows.hi; ++y) {
        const Interval c = write_span(row(y), r.x0, r.x1, pixel);
        if (!c.empty()) box = bounding(box, {c.lo, y, c.hi, y + 1});
    }
    note_change(box);
}

// A narrow strip down the area, as a vertical line is. Each stretch of rows that changed is
// noted apart, so that a line erased across the orbit, which changes pixels above and below
// it but none inside, leaves the orbit's interior out of what the next circle has to look at.
void TrackedPixels::write_columns(const Rect& r, Interval rows, std::uint32_t pixel) {
    const int left = r.x0;
    const int width = r.width();
    const auto stride = static_cast<std::ptrdiff_t>(width_);
    int stretch_top = -1;
    // The width as a constant where it is one of the two a line has at pixel ratio 1 and 2.
    const auto write = [&](auto fixed_width) {
        constexpr int kFixed = decltype(fixed_width)::value;
        const int n = kFixed > 0 ? kFixed : width;
        std::uint32_t* p = row(rows.lo) + left;
        for (int y = rows.lo; y < rows.hi; ++y, p += stride) {
#if defined(__GNUC__) || defined(__clang__)
            __builtin_prefetch(p + 8 * stride, 1);
#endif
            // Every pixel is written, its own value again where it had it: cheaper than a
            // branch per pixel, and the same picture.
            bool changes = false;
            for (int k = 0; k < n; ++k) {
                changes |= p[k] != pixel;
                p[k] = pixel;
            }
            if (changes) {
                if (stretch_top < 0) stretch_top = y;
            } else if (stretch_top >= 0) {
                note_change({left, stretch_top, left + width, y});
                stretch_top = -1;
            }
        }
        if (stretch_top >= 0) note_change({left, stretch_top, left + width, rows.hi});
    };
    if (width == 1) {
        write(std::integral_constant<int, 1>());
    } else if (width == 2) {
        write(std::integral_constant<int, 2>());
    } else {
        write(std::integral_constant<int, 0>());
    }
}

void TrackedPixels::resize_stretched(int width, int height) {
    width = non_negative(width);
    height = non_negative(height);
    // Black in either format, for an area that had no pixels to stretch.
    std::vector<std::uint32_t> stretched(pixel_count(width, height), 0xFF000000u);
    const auto source = [](int i, int from, int to) {
        return static_cast<int>((2 * std::int64_t{i} + 1) * from / (2 * std::int64_t{to}));
    };
    if (width_ > 0 && height_ > 0) {
        for (int y = 0; y < height; ++y) {
            const std::uint32_t* old_row = row(source(y, height_, height));
            std::uint32_t* new_row = stretched.data() + pixel_count(width, y);
            for (int x = 0; x < width; ++x)
                new_row[x] = old_row[source(x, width_, width)];
        }
    }
    pixels_.swap(stretched);
    width_ = width;
    height_ = height;
    // Every pixel moved: no fact holds any longer.
    known_.clear();
    changed_.clear();
    note_change({0, 0, width_, height_});
}

}  // namespace tarrowen
