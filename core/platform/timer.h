// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The periodic timer of the window: an interval in milliseconds and an on/off switch. It ticks
// only while it is on AND its interval is above 0; at interval 0 it stays silent (a toolkit's
// timer of interval 0 would instead fire on every pass of its event loop).
//
// The settings are kept here; a front-end's timer only starts and stops ticking when
// schedule() tells it to. Run sets the interval and then the switch, Restart the switch alone:
// schedule() hears only of a change of the period it must tick at, since arming a timer again
// starts its period over.
//   set_interval(0) ... set_enabled(true)    nothing scheduled (interval 0)
//   set_interval(1)                          schedule(1)
//   set_enabled(false)                       schedule(0)
//   set_enabled(true)                        schedule(1)
//   set_interval(1)                          nothing: the period is the same

namespace tarrowen {

class PeriodicTimer {
  public:
    virtual ~PeriodicTimer() = default;

    void set_interval(int ms) {
        interval_ = ms;
        update();
    }
    int interval() const { return interval_; }
    void set_enabled(bool on) {
        enabled_ = on;
        update();
    }
    bool enabled() const { return enabled_; }

    bool ticking() const { return enabled_ && interval_ > 0; }

  protected:
    // Tick every `period_ms` from now on, the first tick one period from now; 0: no more ticks,
    // not even one already due.
    virtual void schedule(int period_ms) = 0;

  private:
    void update() {
        const int period = ticking() ? interval_ : 0;
        if (period == scheduled_) return;
        scheduled_ = period;
        schedule(period);
    }

    int interval_ = 0;
    bool enabled_ = false;
    int scheduled_ = 0;
};

// Plain settings without any ticking, for logic that is driven by hand (tests, benchmarks).
class ManualTimer final : public PeriodicTimer {
  protected:
    void schedule(int) override {}
};

}  // namespace tarrowen
