// SPDX-License-Identifier: GPL-3.0-or-later
// One simulated hour at 1 kHz: 3.6 million ticks with the clock moving on by 1 ms before each.
// Memory stays flat, the picture keeps exactly the two current lines (every erasure removed its
// line), and the readouts agree with the motion worked out from the true elapsed time.
//
// Memory is measured twice: the live heap (bytes allocated and not yet freed) and the resident
// size. Under AddressSanitizer the resident size is only reported: freed blocks wait in its
// quarantine (up to 256 MiB) before they are reused, so it grows whatever the program does.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARROWEN_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TARROWEN_ASAN 1
#endif

#ifdef TARROWEN_ASAN
#include <sanitizer/allocator_interface.h>
#elif defined(__GLIBC__)
#include <malloc.h>
#endif
#ifdef __linux__
#include <unistd.h>
#endif

#include "core/numbers/number_text.h"
#include "rig.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

constexpr double kRunAt = kHandClockStart;  // seconds since midnight
constexpr long long kTicks = 3'600'000;     // one hour at 1 kHz
constexpr long long kWarmUp = 10'000;
// A stride prime to 1000, so the checked clock readings fall on varied fractions of a second.
constexpr long long kCheckEvery = 100'003;
constexpr double kOmega = 2.5;
// A small orbit: every tick paints the orbit's interior, so the run time grows with its area,
// which is not what this test is about (the benchmarks measure it).
constexpr double kRadius = 0.3;
constexpr double kTheta0 = 0.29;
// One leaked block per tick would hold megabytes after the hour; caches filled during the
// warm-up are not counted.
constexpr long kMaxHeapGrowth = 64 * 1024;

// Both give -1 where the system cannot tell.
long heap_in_use() {
#ifdef TARROWEN_ASAN
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#elif defined(__GLIBC__)
    return static_cast<long>(mallinfo2().uordblks);
#else
    return -1;
#endif
}

long resident_bytes() {
#ifndef __linux__
    return -1;
#else
    long pages_total = 0;
    long pages_resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) return -1;
    const int n = std::fscanf(f, "%ld %ld", &pages_total, &pages_resident);
    std::fclose(f);
    return n == 2 ? pages_resident * sysconf(_SC_PAGESIZE) : -1;
#endif
}

// The clock reading before tick k (k = 0 is the Run): computed from k, never summed, so the
// fake clock itself does not drift.
float reading(long long k) {
    return static_cast<float>(kRunAt + static_cast<double>(k) / 1000.0);
}

// The number a readout box shows (" pi" is ignored as parse_number ignores any tail).
double shown(const Rig& rig, int box) {
    return parse_number(rig.box(box));
}

// Whether `shown` is `value` rounded down to a multiple of `step`, with the value known to
// within `slack` either way.
bool floors(double shown, double value, double step, double slack) {
    return shown > value - slack - step && shown <= value + slack;
}

// Boxes 3 to 7 against the motion worked out from the true elapsed time k / 1000 s in long
// double: nothing of the tick's own arithmetic. A clock reading near 10:00 is a single, 1/256 s
// from its neighbours, so t may be off by that much, and each readout by its rate of change
// times that.
void check_readouts(const Rig& rig, long long k) {
    const long double t = static_cast<long double>(k) / 1000;
    const long double theta = kTheta0 + kOmega * t;
    const double dt = 1.0 / 256;
    const double dtheta = kOmega * dt;
    struct Check {
        int box;
        long double value;
        double step;
        double slack;
    };
    const Check checks[] = {
        {kBoxTime, t, 0.01, dt},
        {kBoxTheta, theta, 0.01, dtheta},
        {kBoxX, kRadius * std::cos(theta), 0.001, kRadius * dtheta},
        {kBoxY, kRadius * std::sin(theta), 0.001, kRadius * dtheta},
        {kBoxThetaOverPi, theta / std::numbers::pi_v<long double>, 0.01, dtheta / 3.14},
    };
    for (const Check& c : checks) {
        const double value = static_cast<double>(c.value);
        INFO("tick ", k, ": box ", c.box, " shows \"", rig.box(c.box), "\" for ", value);
        CHECK(floors(shown(rig, c.box), value, c.step, c.slack));
    }
}

}  // namespace

TEST_CASE("soak: one hour at one kilohertz") {
    Rig rig;
    rig.type(kBoxOmega, "2.5");
    rig.type(kBoxRadius, "0.3");
    rig.type(kBoxTheta0, "0.29");
    rig.run_at(reading(0));
    // Both lines cross the whole area once: every row and every column, sharing one pixel.
    const int two_lines = rig.area.height() + rig.area.width() - 1;

    long rss_after_warm_up = 0;
    long heap_after_warm_up = 0;
    for (long long k = 1; k <= kTicks; ++k) {
        rig.tick_at(reading(k));
        if (k == kWarmUp) {
            rss_after_warm_up = resident_bytes();
            heap_after_warm_up = heap_in_use();
        }
        if (k % kCheckEvery != 0 && k != kTicks) continue;
        check_readouts(rig, k);
        INFO("tick ", k);
        CHECK(rig.count(kGreen) == two_lines);
    }
    const long rss_at_end = resident_bytes();
    const long heap_at_end = heap_in_use();

    // The hour really elapsed: the last readout shows t = 3600 s.
    CHECK(rig.box(kBoxTime) == " 3600");
    // 39600 is a single, so t is exactly 3600 s, and theta 2.5 * 3600 + 0.29 rad.
    CHECK(rig.m.t_sec == Number::single(3600.0f));
    CHECK(rig.m.theta.to_double() == 9000.29);
    CHECK(rig.count(kBlue) > 0);

    MESSAGE("resident size after ", kWarmUp, " ticks: ", rss_after_warm_up / 1024, " KiB; after ",
            kTicks, " ticks: ", rss_at_end / 1024, " KiB");
    MESSAGE("heap in use after ", kWarmUp, " ticks: ", heap_after_warm_up, " bytes; after ", kTicks,
            " ticks: ", heap_at_end, " bytes");
    if (heap_at_end < 0 || rss_at_end < 0) {
        MESSAGE("the readouts were checked; this system gives no heap or resident size");
        return;
    }
    CHECK(heap_after_warm_up > 0);
    CHECK(rss_after_warm_up > 0);
    CHECK(heap_at_end - heap_after_warm_up < kMaxHeapGrowth);
#ifndef TARROWEN_ASAN
    constexpr long kMaxResidentGrowth = 1024 * 1024;
    CHECK(rss_at_end - rss_after_warm_up < kMaxResidentGrowth);
#endif
}
