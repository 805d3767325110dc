// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one animation tick in the browser build, run under node: the cases of
// bench/bench_tick.cpp's BM_tick (radius 0.3, 1 and 4, pixel ratio 1 and 2) in a plain timing
// loop, since Google Benchmark is not built for emscripten here.
//
//   node build/web/bench/web/bench_tick_wasm.js
//
// Each case: a first tick outside the count, then batches of ticks until half a second has
// passed, five times; prints the median time per tick. As in BM_tick, the changed rectangles
// are taken every 16th tick, as a frame of the page takes them. A measurement, never a test.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/tick_rig.h"

namespace {

using tarrowen::bench::TickRig;

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The median over five runs of the time of one tick, in microseconds.
double time_tick(const std::string& radius, double ratio) {
    TickRig b(radius, ratio, tarrowen::PixelFormat::Xbgr);
    b.tick();
    b.area.take_changed();
    std::array<double, 5> runs{};
    long long ticks = 0;
    for (double& run : runs) {
        const auto start = std::chrono::steady_clock::now();
        long long n = 0;
        while (seconds_since(start) < 0.5) {
            for (int i = 0; i < 256; ++i, ++n) {
                b.tick();
                if (++ticks % 16 == 0) b.area.take_changed();
            }
        }
        run = seconds_since(start) / static_cast<double>(n) * 1e6;
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

}  // namespace

int main() {
    std::printf("%-22s %12s\n", "case", "us per tick");
    for (const char* radius : {"0.3", "1", "4"}) {
        for (double ratio : {1.0, 2.0}) {
            std::printf("R %-4s ratio %-9.0f %12.2f\n", radius, ratio, time_tick(radius, ratio));
        }
    }
    return 0;
}
