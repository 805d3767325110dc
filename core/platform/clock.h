// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run clock: seconds since local midnight, with their fraction, as a single, together with
// the day they belong to.
//
// A single holds seconds since midnight to 1/128 s at worst (after 65536 s), whatever the day:
// the day is kept apart from the seconds, so a program left open for a month reads the time as
// finely as on the day it started. Differences between readings are formed with their days
// (seconds_between), so a run or a pause that spans midnight goes on without a jump.
//
// The real clock is driven by a monotonic source from a local-time anchor taken once, so a
// change of the wall clock (a time-zone or summer-time change, a correction by NTP) never makes
// the motion jump either.

#include <chrono>
#include <cstdint>
#include <functional>

namespace tarrowen {

inline constexpr double kSecondsPerDay = 86400.0;

// A reading: `day` counts the midnights since the clock was created (0 on its first day),
// `seconds` the time since the last of them, 0 <= seconds < 86400.
struct ClockReading {
    std::int32_t day = 0;
    float seconds = 0.0f;

    friend bool operator==(const ClockReading&, const ClockReading&) = default;
};

// `to` - `from` in seconds: the days and the two singles combined exactly in double, then
// narrowed once to a single. Within one day this is the single difference
// to.seconds - from.seconds, to the last bit; across midnight it goes on counting:
//   {0, 86399.5} to {1, 0.5} gives 1.
float seconds_between(ClockReading from, ClockReading to);

// `r` moved on by the time from `from` to `to`, formed exactly and normalised to
// 0 <= seconds < 86400 with its day; the seconds are then narrowed to a single. A pause from
// `from` to `to` moves the start of a run this way, so the run goes on where it stopped:
//   {0, 100} moved by {0, 86000} to {1, 50} gives {1, 550}.
ClockReading moved_by(ClockReading r, ClockReading from, ClockReading to);
// `r` moved by `seconds` (back when negative), formed and normalised the same way:
//   {0, 86399.5} moved by 1 gives {1, 0.5}; {2, 10} moved by -20 gives {1, 86390}.
ClockReading moved_by(ClockReading r, double seconds);

class Clock {
  public:
    virtual ~Clock() = default;
    // Seconds since local midnight as a single: the seconds of reading().
    virtual float now() = 0;
    // The reading with its day. A clock that knows no days (a hand-set clock in a test or a
    // benchmark) reads as day 0.
    virtual ClockReading reading() { return {0, now()}; }
};

class DayClock final : public Clock {
  public:
    using Steady = std::function<std::chrono::steady_clock::duration()>;

    // The real clock: local time of day now, then the monotonic clock from there.
    DayClock();
    // For tests: `seconds_since_midnight` at the moment `steady()` first returned its value.
    DayClock(double seconds_since_midnight, Steady steady);

    float now() override { return reading().seconds; }
    ClockReading reading() override;

  private:
    double anchor_;  // seconds since the midnight of day 0 at the first reading of steady_
    std::chrono::steady_clock::duration steady_start_;
    Steady steady_;
};

// Local seconds since midnight of the wall clock now (0 <= s < 86400 apart from summer-time
// days).
double local_seconds_since_midnight();

}  // namespace tarrowen
