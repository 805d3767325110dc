// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"

#include <ctime>

namespace tarrowen {

double local_seconds_since_midnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&secs, &local);
    const double frac =
        duration<double>(now - system_clock::from_time_t(secs)).count();  // 0 <= frac < 1
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + frac;
}

DayClock::DayClock()
    : DayClock(local_seconds_since_midnight(),
               [] { return std::chrono::steady_clock::now().time_since_epoch(); }) {}

DayClock::DayClock(double seconds_since_midnight, Steady steady)
    : start_of_day_offset_(seconds_since_midnight), steady_(std::move(steady)) {
    steady_start_ = steady_();
}

float DayClock::now() {
    const double elapsed = std::chrono::duration<double>(steady_() - steady_start_).count();
    return static_cast<float>(start_of_day_offset_ + elapsed);
}

}  // namespace tarrowen
