// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The periodic timer of the window: an interval in milliseconds and an on/off switch. It ticks
// only while it is on AND its interval is above 0; at interval 0 it stays silent (a QTimer of
// interval 0 would instead fire on every pass of the event loop).

namespace tarrowen {

class PeriodicTimer {
  public:
    virtual ~PeriodicTimer() = default;
    virtual void set_interval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void set_enabled(bool on) = 0;
    virtual bool enabled() const = 0;

    bool ticking() const { return enabled() && interval() > 0; }
};

// Plain settings without any ticking, for logic that is driven by hand (tests, benchmarks).
class ManualTimer final : public PeriodicTimer {
  public:
    void set_interval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void set_enabled(bool on) override { enabled_ = on; }
    bool enabled() const override { return enabled_; }

  private:
    int interval_ = 0;
    bool enabled_ = false;
};

}  // namespace tarrowen
