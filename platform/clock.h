// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run clock: seconds since local midnight, with their fraction, as a single.
//
// Unlike a plain time-of-day reading it does not fall back to 0 at midnight: it counts from
// the midnight that began the day on which it was created, so a run that spans midnight goes
// on at 86400 s and beyond. It is driven by a monotonic source, so a change of the wall clock
// (a time-zone or summer-time change, a correction by NTP) never makes the motion jump either.

#include <chrono>
#include <functional>

namespace tarrowen {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual float now() = 0;
};

class DayClock final : public Clock {
  public:
    using Steady = std::function<std::chrono::steady_clock::duration()>;

    // The real clock: local time of day now, then the monotonic clock from there.
    DayClock();
    // For tests: `seconds_since_midnight` at the moment `steady()` first returned its value.
    DayClock(double seconds_since_midnight, Steady steady);

    float now() override;

  private:
    double start_of_day_offset_;  // seconds since midnight at the first reading of steady_
    std::chrono::steady_clock::duration steady_start_;
    Steady steady_;
};

// Local seconds since midnight of the wall clock now (0 <= s < 86400 apart from summer-time
// days).
double local_seconds_since_midnight();

}  // namespace tarrowen
