// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/canvas/disk_rows.h"

#include <cmath>

namespace tarrowen {

namespace {

// The first x in [lo, hi] for which `in` holds, where `in` is false then true along
// [lo, hi] and in(hi) holds; searched from `guess` (within [lo, hi]).
template <typename In>
int first_in(int lo, int hi, int guess, const In& in) {
    // Invariant: in(good), and bad == lo - 1 or !in(bad), bad < good.
    int good = 0;
    int bad = 0;
    if (in(guess)) {
        good = guess;
        for (int step = 1;; step *= 2) {
            const int x = good - step;
            if (x < lo) {
                bad = lo - 1;
                break;
            }
            if (!in(x)) {
                bad = x;
                break;
            }
            good = x;
        }
    } else {
        bad = guess;
        for (int step = 1;; step *= 2) {
            const int x = bad + step;
            if (x >= hi) {
                good = hi;
                break;
            }
            if (in(x)) {
                good = x;
                break;
            }
            bad = x;
        }
    }
    while (good - bad > 1) {
        const int mid = bad + (good - bad) / 2;
        (in(mid) ? good : bad) = mid;
    }
    return good;
}

// The last x in [lo, hi] for which `in` holds, where `in` is true then false and in(lo)
// holds: first_in along the mirrored axis.
template <typename In>
int last_in(int lo, int hi, int guess, const In& in) {
    return -first_in(-hi, -lo, -guess, [&in](int x) { return in(-x); });
}

}  // namespace

Interval disk_row(const Disk& d, int y, int lo, int hi) {
    const double vv = d.row_term(y);
    // u * u >= 0 and the sum rounds monotonically: past vv > 1 no pixel of the row is in.
    if (!(vv <= 1.0) || hi <= lo) return {};
    const auto in = [&d, vv](int x) { return d.holds(x, vv); };
    // Along the row u * u falls to its least at the pixel whose centre is nearest to cx and
    // rises after: the least within [lo, hi) is one of these three (floor(cx - 0.5) is off by
    // at most one where cx - 0.5 rounds). If none is in, the row has no pixel in [lo, hi).
    const int c = floor_clamped(d.cx - 0.5, lo, hi - 1);
    int seed = c;
    if (!in(c)) {
        if (c - 1 >= lo && in(c - 1)) {
            seed = c - 1;
        } else if (c + 1 < hi && in(c + 1)) {
            seed = c + 1;
        } else {
            return {};
        }
    }
    const double half = d.rx * std::sqrt(1.0 - vv);
    const int left = floor_clamped(std::ceil(d.cx - half - 0.5), lo, seed);
    const int right = floor_clamped(d.cx + half - 0.5, seed, hi - 1);
    return {first_in(lo, seed, left, in), last_in(seed, hi - 1, right, in) + 1};
}

}  // namespace tarrowen
