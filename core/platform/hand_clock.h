// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock set by hand, the companion of ManualTimer: what a test, a benchmark or a front-end's
// test switch reads instead of the time of day, so that every reading is known in advance.

#include "core/platform/clock.h"

namespace tarrowen {

// Where a hand-set clock starts: 10:00, in seconds since midnight. Far from midnight, and a
// single holds it to 1/256 s, as a reading of the working day is held.
inline constexpr float kHandClockStart = 36000.0f;

class HandClock final : public Clock {
  public:
    explicit HandClock(float seconds = kHandClockStart) : reading_{0, seconds} {}

    float now() override { return reading_.seconds; }
    ClockReading reading() override { return reading_; }

    // The clock reads `seconds` since the midnight of its day from now on, as given: a driver
    // that sets 90000 reads 90000.
    void set(float seconds) { reading_.seconds = seconds; }
    void set(ClockReading r) { reading_ = r; }
    // Moves the clock by `seconds` (back when negative), across midnights with its day, as
    // moved_by does: {0, 86399.5} advanced by 1 reads {1, 0.5}.
    void advance(double seconds) { reading_ = moved_by(reading_, seconds); }

  private:
    ClockReading reading_;
};

}  // namespace tarrowen
