// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/frontend/tick_stats.h"
#include "core/platform/timer.h"

namespace tarrowen {

// The real timer. Ticks are delivered on the thread of the event loop.
//
// It runs on a kernel interval timer (timerfd) watched by the event loop: the kernel keeps the
// schedule, so a wake-up that comes late does not push every later tick back. A QTimer
// re-arms itself from the moment it fired instead, and at 1 ms loses about one tick in twenty
// that way. Where no timerfd can be had (another system than Linux, a build with
// TARROWEN_PORTABLE_TIMER, or a kernel that refuses one), a precise QTimer takes over.
class QtPeriodicTimer final : public QObject, public PeriodicTimer {
  public:
    explicit QtPeriodicTimer(std::function<void()> on_tick, QObject* parent = nullptr);
    ~QtPeriodicTimer() override;

    // The ticks delivered since creation, for measuring the rate.
    const TickStats& tick_stats() const { return stats_; }
    // True when the kernel interval timer keeps the time, false on the precise QTimer.
    bool on_kernel_timer() const { return fd_ >= 0; }

  protected:
    void schedule(int period_ms) override;

  private:
    void tick();
    void on_timerfd();

    std::function<void()> on_tick_;
    bool armed_ = false;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer fallback_;
    TickStats stats_;
};

// Asks the kernel for the least timer slack for this thread, so that a 1 ms timer wakes close
// to 1 ms (Linux's default slack is 50 us). Does nothing where the kernel timer is not used.
void use_precise_timer_slack();

}  // namespace tarrowen
