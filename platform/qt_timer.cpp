// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_timer.h"

#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>

namespace tarrowen {

QtPeriodicTimer::QtPeriodicTimer(std::function<void()> on_tick, QObject* parent)
    : QObject(parent), on_tick_(std::move(on_tick)) {
    fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, this,
                         [this] { on_timerfd(); });
    } else {
        fallback_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&fallback_, &QTimer::timeout, this, [this] { tick(); });
    }
}

QtPeriodicTimer::~QtPeriodicTimer() {
    notifier_.reset();
    if (fd_ >= 0) ::close(fd_);
}

void QtPeriodicTimer::set_interval(int ms) {
    interval_ = ms;
    apply();
}

void QtPeriodicTimer::set_enabled(bool on) {
    enabled_ = on;
    apply();
}

void QtPeriodicTimer::apply() {
    const bool want = ticking();
    // Re-arming restarts the period; only do it when something changed.
    if (want == armed_ && (!want || armed_interval_ == interval_)) return;
    armed_ = want;
    armed_interval_ = interval_;
    if (fd_ < 0) {
        if (want) {
            fallback_.start(interval_);
        } else {
            fallback_.stop();
        }
        return;
    }
    itimerspec period{};
    if (want) {
        const long long ns = static_cast<long long>(interval_) * 1'000'000;
        period.it_interval.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        period.it_interval.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        period.it_value = period.it_interval;
    }
    timerfd_settime(fd_, 0, &period, nullptr);
    if (!want) {
        // Drop an expiry that is already waiting, so nothing ticks after the switch-off.
        std::uint64_t pending = 0;
        [[maybe_unused]] const auto n = ::read(fd_, &pending, sizeof pending);
    }
}

void QtPeriodicTimer::on_timerfd() {
    std::uint64_t expirations = 0;
    if (::read(fd_, &expirations, sizeof expirations) != sizeof expirations) return;
    // One tick per wake-up: ticks that fell due while the thread was busy would all read the
    // same clock, so running them back to back would only repeat the same picture.
    if (armed_) tick();
}

void QtPeriodicTimer::tick() {
    if (ticks_++ == 0) since_first_tick_.start();
    last_tick_ns_ = since_first_tick_.nsecsElapsed();
    on_tick_();
}

void use_precise_timer_slack() {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

}  // namespace tarrowen
