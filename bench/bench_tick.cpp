// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one animation tick (drawing and readouts) with a fake clock and no event loop,
// and the heap allocations it makes.
//
//   bench_tick                                      medians of 5 repetitions
//   bench_tick --benchmark_filter='BM_tick/R_tenths:40'  the circle that covers the whole area
//
// Counters per tick: `new` counts calls of the global operator new, `malloc` every call of
// malloc, calloc and realloc (operator new's own included). `malloc` is counted with glibc
// only, whose own entry points can be called from a replacement; elsewhere only `new` is
// reported.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "bench/tick_rig.h"
#include "core/motion/redraw_motion.h"
#include "core/motion/user_scale.h"

// --- counting allocations -----------------------------------------------------------------

namespace {
std::atomic<long long> g_news{0};
std::atomic<long long> g_mallocs{0};
}  // namespace

#ifdef __GLIBC__
extern "C" {
// glibc's own entry points: defining malloc here hands every call on to them.
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t n, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);

void* malloc(std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(std::size_t n, std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(n, size);
}
void* realloc(void* p, std::size_t size) {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}
}
#endif

// operator new below takes its memory from malloc, so free is the matching release. GCC, which
// sees new's result reach free once a delete below is inlined, would call it a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    g_news.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

// --- the form -----------------------------------------------------------------------------

namespace {

using tarrowen::bench::TickRig;

// Counts the allocations from its creation to report(), per iteration of the benchmark loop.
class AllocationCount {
  public:
    AllocationCount() : news_(g_news.load()), mallocs_(g_mallocs.load()) {}
    void report(benchmark::State& state) const {
        const auto per_iteration = [](long long n) {
            return benchmark::Counter(static_cast<double>(n), benchmark::Counter::kAvgIterations);
        };
        // Both read before the counters' own map allocates its entries.
        const long long news = g_news.load() - news_;
        [[maybe_unused]] const long long mallocs = g_mallocs.load() - mallocs_;
        state.counters["new"] = per_iteration(news);
#ifdef __GLIBC__
        state.counters["malloc"] = per_iteration(mallocs);
#endif
    }

  private:
    long long news_;
    [[maybe_unused]] long long mallocs_;  // read with glibc only
};

// Arguments: the radius in tenths of a drawing unit (at 40 the circle covers the whole area,
// 4.53 x 4), and the pixel ratio of the screen.
//
// Every 16th tick also takes the changed rectangles, as the window does at each frame (a frame
// comes every 16 ms at 60 Hz); without that the list of changed rectangles would only grow
// together. Taking them is counted with the tick: a fixed list, it allocates nothing.
void BM_tick(benchmark::State& state) {
    TickRig b(std::to_string(static_cast<double>(state.range(0)) / 10.0),
              static_cast<double>(state.range(1)));
    // A first tick outside the count: it erases the lines at the edges and fills the picture.
    b.tick();
    b.area.take_changed();

    const AllocationCount count;
    int ticks = 0;
    for (auto _ : state) {
        b.tick();
        benchmark::DoNotOptimize(b.panel);
        if (++ticks % 16 == 0) benchmark::DoNotOptimize(b.area.take_changed());
    }
    count.report(state);
}
BENCHMARK(BM_tick)
    ->ArgNames({"R_tenths", "ratio"})
    ->ArgsProduct({{3, 10, 40}, {1, 2}})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The parts of a tick on their own, to see where its time goes: the orbit circle (argument:
// the radius) and the four projection lines.
void BM_orbit_circle(benchmark::State& state) {
    TickRig b(std::to_string(state.range(0)), 1.0);
    const auto r = static_cast<float>(state.range(0));
    const AllocationCount count;
    for (auto _ : state) {
        b.area.circle(static_cast<float>(tarrowen::kCenterX), 2.0f, r, 16711680);
    }
    count.report(state);
    benchmark::DoNotOptimize(b.area.pixels());
}
BENCHMARK(BM_orbit_circle)->Arg(1)->Arg(4)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_projection_lines(benchmark::State& state) {
    TickRig b("1", 1.0);
    float x = 1.0f;
    const AllocationCount count;
    for (auto _ : state) {
        b.area.line(x, 0, x, 5, 0);
        b.area.line(0, x, 5, x, 0);
        x = x < 3.0f ? x + 0.001f : 1.0f;
        b.area.line(x, 0, x, 5, 65280);
        b.area.line(0, x, 5, x, 65280);
    }
    count.report(state);
    benchmark::DoNotOptimize(b.area.pixels());
}
BENCHMARK(BM_projection_lines)->Repetitions(5)->ReportAggregatesOnly(true);

// What a window made larger or smaller costs the core: the canvas at the new pixel ratio and
// the motion drawn again there, alternately at the start-up size and at 1920x1080's scale
// (1080 / 560 = 1.93 device pixels to a layout pixel).
void BM_redraw_at_new_scale(benchmark::State& state) {
    TickRig b("1", 1.0);
    for (int i = 0; i < 100; ++i)
        b.tick();
    bool large = false;
    for (auto _ : state) {
        large = !large;
        b.area.set_device_pixel_ratio(large ? 1080.0 / 560 : 1.0);
        tarrowen::redraw_motion(b.form);
    }
    benchmark::DoNotOptimize(b.area.pixels());
}
BENCHMARK(BM_redraw_at_new_scale)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// A switch of colour scheme: every pixel rewritten, at the start-up size and at 1920x1080's.
void BM_colour_scheme_switch(benchmark::State& state) {
    TickRig b("1", state.range(0) == 1 ? 1.0 : 1080.0 / 560);
    for (int i = 0; i < 100; ++i)
        b.tick();
    bool projector = false;
    for (auto _ : state) {
        projector = !projector;
        b.area.set_colour_scheme(projector ? tarrowen::ColourScheme::Projector
                                           : tarrowen::ColourScheme::Screen);
    }
    benchmark::DoNotOptimize(b.area.pixels());
}
BENCHMARK(BM_colour_scheme_switch)
    ->ArgName("large")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
