// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/clock.h"

#include <cmath>
#include <ctime>

namespace tarrowen {

namespace {

// Whole days and seconds of an exact count of seconds since the midnight of day 0.
ClockReading split(double day, double seconds) {
    const double whole = std::floor(seconds / kSecondsPerDay);
    day += whole;
    seconds -= whole * kSecondsPerDay;
    // The quotient may round across a day boundary; the remainder tells.
    if (seconds < 0) {
        seconds += kSecondsPerDay;
        day -= 1;
    } else if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        day += 1;
    }
    auto narrowed = static_cast<float>(seconds);
    // Just before midnight the single may round up to the midnight itself.
    if (narrowed >= static_cast<float>(kSecondsPerDay)) {
        narrowed = 0.0f;
        day += 1;
    }
    return {static_cast<std::int32_t>(day), narrowed};
}

// The seconds from `from` to `to`, in double. A double has more than twice a single's bits plus
// two, so the difference of two singles formed in double and then narrowed is rounded exactly
// as the single subtraction rounds it. Whole days added to it keep its fraction to far below a
// microsecond for any span a program stays open.
double exact_difference(ClockReading from, ClockReading to) {
    const double days = static_cast<double>(to.day) - static_cast<double>(from.day);
    return days * kSecondsPerDay +
           (static_cast<double>(to.seconds) - static_cast<double>(from.seconds));
}

}  // namespace

float seconds_between(ClockReading from, ClockReading to) {
    return static_cast<float>(exact_difference(from, to));
}

ClockReading moved_by(ClockReading r, ClockReading from, ClockReading to) {
    return moved_by(r, exact_difference(from, to));
}

ClockReading moved_by(ClockReading r, double seconds) {
    return split(r.day, static_cast<double>(r.seconds) + seconds);
}

double local_seconds_since_midnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &secs);
#else
    localtime_r(&secs, &local);
#endif
    const double frac =
        duration<double>(now - system_clock::from_time_t(secs)).count();  // 0 <= frac < 1
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + frac;
}

DayClock::DayClock()
    : DayClock(local_seconds_since_midnight(),
               [] { return std::chrono::steady_clock::now().time_since_epoch(); }) {}

DayClock::DayClock(double seconds_since_midnight, Steady steady)
    : anchor_(seconds_since_midnight), steady_(std::move(steady)) {
    steady_start_ = steady_();
}

ClockReading DayClock::reading() {
    // In double, seconds stay exact to well below a microsecond for centuries; only the
    // seconds of the day are narrowed to a single.
    const double elapsed = std::chrono::duration<double>(steady_() - steady_start_).count();
    return split(0.0, anchor_ + elapsed);
}

}  // namespace tarrowen
