// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When a frame that has been asked for is delivered: at once when the last frame is at least
// one refresh period old, else one period after the last frame. A click after an idle spell
// shows at once; a running motion, which asks again as soon as a frame is out, is presented
// once a period, at the screen's refresh rate and not on every tick of the 1 ms timer.
//   period 1/60 s, last frame at 10.000 s:  asked at 10.005 -> 10.0167; asked at 10.500 -> 10.500
//
// Times are seconds on one monotonic clock (monotonic_seconds(), or a test's own). The
// front-end tells the refresh rate of the screen that shows the window, and tells it again when
// the window moves to another screen or the screen's rate changes.

#include <limits>

namespace tarrowen {

class FramePacer {
  public:
    // Hertz; 0 or 1 (a screen that does not say) count as 60.
    void set_refresh_rate(double hz);
    double period() const { return period_; }

    // When a frame asked for at `now` is to be delivered.
    double due(double now) const;
    // Whole milliseconds from `now` until due(now), rounded up, for a timer.
    int wait_ms(double now) const;
    bool is_due(double now) const { return due(now) <= now; }
    // The frame went out at `now`.
    void delivered(double now) { last_frame_ = now; }

    // For a loop that waits for what is due: one frame asked for, until it goes out.
    void request() { requested_ = true; }
    bool requested() const { return requested_; }
    // Whether the frame asked for is to go out at `now`; if so it counts as delivered then.
    bool take_due(double now);

  private:
    double period_ = 1.0 / 60;
    // None yet: the first frame goes out when asked for.
    double last_frame_ = -std::numeric_limits<double>::infinity();
    bool requested_ = false;
};

// Seconds on the system's monotonic clock (std::chrono::steady_clock), from an arbitrary origin.
double monotonic_seconds();

}  // namespace tarrowen
