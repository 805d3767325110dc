// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/canvas/circle_runs.h"

#include <algorithm>

#include "core/canvas/clipping.h"

namespace tarrowen {

namespace {

int clamp_to(int v, int lo, int hi) {
    return std::min(std::max(v, lo), hi);
}

// For each column, the rows whose run [row.*lo, row.*hi) holds it, as one interval (empty where
// none does). The rows seen so far, from the top down (or the bottom up), cover one interval of
// columns: every run holds the pixel nearest to the centre column or its neighbour, or reaches
// the edge of the area where those lie outside it. So a run adds at most its two ends to the
// interval, and only those are looked at. Were a run ever apart from the others, each column of
// it and of the runs after it would be.
void find_columns(const std::vector<CircleRow>& rows, int CircleRow::*lo, int CircleRow::*hi,
                  const Rect& bounds, std::vector<Interval>& columns) {
    // {-1, -1}: neither end found yet; an empty interval where none is ever found.
    std::fill(columns.begin(), columns.end(), Interval{-1, -1});
    const auto sweep = [&](int from, int to, int step, int Interval::*end, int past) {
        Interval seen{};
        bool apart = false;
        for (int y = from; y != to; y += step) {
            const CircleRow& r = rows[static_cast<std::size_t>(y)];
            const int x0 = r.*lo;
            const int x1 = r.*hi;
            if (x0 == x1) continue;
            apart = apart || (!seen.empty() && (x1 < seen.lo || x0 > seen.hi));
            const auto mark = [&](int a, int b) {
                for (int x = a; x < b; ++x) {
                    int& e = columns[static_cast<std::size_t>(x)].*end;
                    if (e < 0) e = y + past;
                }
            };
            if (apart || seen.empty()) {
                mark(x0, x1);
            } else {
                mark(x0, std::min(x1, seen.lo));
                mark(std::max(x0, seen.hi), x1);
            }
            seen = seen.empty() ? Interval{x0, x1}
                                : Interval{std::min(seen.lo, x0), std::max(seen.hi, x1)};
        }
    };
    sweep(bounds.y0, bounds.y1, 1, &Interval::lo, 0);
    sweep(bounds.y1 - 1, bounds.y0 - 1, -1, &Interval::hi, 1);
}

}  // namespace

bool circle_covers(const CircleGeometry& g) {
    if (g.is_dot() || g.width <= 0 || g.height <= 0) return false;
    const Disk& d = g.disk;
    const int w = g.pen;
    const auto holds = [&d](int x0, int y0, int x1, int y1) {
        return d.holds(x0, y0) && d.holds(x1 - 1, y0) && d.holds(x0, y1 - 1) &&
               d.holds(x1 - 1, y1 - 1);
    };
    return holds(-w, 0, g.width + w, g.height) && holds(0, -w, g.width, g.height + w);
}

void CircleRuns::build(const CircleGeometry& g) {
    geometry_ = g;
    rows_.assign(static_cast<std::size_t>(std::max(g.height, 0)), CircleRow{});
    if (g.is_dot()) {
        build_dot();
    } else {
        build_disk();
    }
    bounds_ = {};
    has_interior_ = false;
    has_outline_ = false;
    covers_ = g.width > 0 && g.height > 0;
    for (int y = 0; y < g.height; ++y) {
        const CircleRow& r = row(y);
        covers_ = covers_ && r.f0 == 0 && r.f1 == g.width;
        has_interior_ = has_interior_ || r.f0 < r.f1;
        has_outline_ = has_outline_ || r.x0 < r.f0 || r.f1 < r.x1;
        bounds_ = bounding(bounds_, {r.x0, y, r.x1, y + 1});
    }
    const auto width = static_cast<std::size_t>(std::max(g.width, 0));
    columns_.resize(width);
    interior_columns_.resize(width);
    find_columns(rows_, &CircleRow::x0, &CircleRow::x1, bounds_, columns_);
    find_columns(rows_, &CircleRow::f0, &CircleRow::f1, bounds_, interior_columns_);
}

void CircleRuns::build_dot() {
    const CircleGeometry& g = geometry_;
    const Interval xs = band(g.disk.cx, g.pen, g.width);
    const Interval ys = band(g.disk.cy, g.pen, g.height);
    if (xs.empty()) return;
    for (int y = ys.lo; y < ys.hi; ++y)
        rows_[static_cast<std::size_t>(y)] = {xs.lo, xs.hi, xs.hi, xs.hi};
}

void CircleRuns::build_disk() {
    const CircleGeometry& g = geometry_;
    const int w = g.pen;
    // D's rows are clipped to a margin of w + 1 beyond the area: the interior within the area
    // depends only on whether D reaches w pixels beyond it, so nothing inside moves.
    const int lo = -w - 1;
    const int hi = g.width + w + 1;
    spans_.resize(static_cast<std::size_t>(std::max(g.height, 0) + 2 * w));
    const auto span = [&](int y) -> Interval& { return spans_[static_cast<std::size_t>(y + w)]; };
    for (int y = -w; y < g.height + w; ++y) {
        Interval s = disk_row(g.disk, y, lo, hi);
        // An empty row as [hi, lo), so that max and min below make every interval with it empty.
        span(y) = s.empty() ? Interval{hi, lo} : s;
    }
    for (int y = 0; y < g.height; ++y) {
        const Interval d = span(y);
        if (d.empty()) continue;
        const Interval above = span(y - w);
        const Interval below = span(y + w);
        int f0 = std::max({d.lo + w, above.lo, below.lo});
        int f1 = std::min({d.hi - w, above.hi, below.hi});
        if (f0 >= f1) f0 = f1 = d.hi;
        const int x0 = clamp_to(d.lo, 0, g.width);
        const int x1 = clamp_to(d.hi, 0, g.width);
        rows_[static_cast<std::size_t>(y)] = {x0, clamp_to(f0, x0, x1), clamp_to(f1, x0, x1), x1};
    }
}

}  // namespace tarrowen
