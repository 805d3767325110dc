// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timer1 on Windows: a waitable timer whose handle the message loop waits on together with the
// window's messages, so that every tick is delivered on the user-interface thread.
//
// The kernel keeps the period, so a wake-up that comes late does not push later ticks back. A
// high-resolution timer (Windows 10 1803 and later) wakes within a fraction of a millisecond;
// where the flag is refused, a plain waitable timer takes over, with the system's timer
// resolution raised to 1 ms (timeBeginPeriod) while it is armed and given back when it stops.
// SetTimer is no use here: its floor is 10 ms.

#include <windows.h>

#include "core/frontend/frame_pacer.h"
#include "core/frontend/tick_stats.h"
#include "core/platform/timer.h"

namespace tarrowen {

class WaitableTimer final : public PeriodicTimer {
  public:
    WaitableTimer();
    ~WaitableTimer() override;
    WaitableTimer(const WaitableTimer&) = delete;
    WaitableTimer& operator=(const WaitableTimer&) = delete;

    // Signalled while a tick is due; a wait on it takes the tick (it resets itself).
    HANDLE handle() const { return handle_; }
    // True when the kernel runs it at high resolution, false on the fallback.
    bool high_resolution() const { return high_resolution_; }
    // Never armed: ticks come from elsewhere (a test's hand). The settings still hold.
    void set_hand_driven(bool hand) {
        hand_driven_ = hand;
        arm();
    }

    // Counts a tick handed on, for the rate reported on the way out (TARROWEN_TICK_STATS).
    void count_tick() { stats_.count(monotonic_seconds()); }
    const TickStats& tick_stats() const { return stats_; }

  protected:
    void schedule(int period_ms) override {
        period_ = period_ms;
        arm();
    }

  private:
    void arm();

    HANDLE handle_ = nullptr;
    bool high_resolution_ = false;
    int period_ = 0;  // what schedule() asked for
    bool hand_driven_ = false;
    int armed_interval_ = 0;  // 0: not armed
    bool raised_resolution_ = false;
    TickStats stats_;
};

}  // namespace tarrowen
