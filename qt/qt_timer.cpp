// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/qt_timer.h"

#include "core/frontend/frame_pacer.h"

// The kernel interval timer and the timer slack are Linux's own; everywhere else, and wherever
// TARROWEN_PORTABLE_TIMER is defined, the precise QTimer alone keeps the time.
#if defined(__linux__) && !defined(TARROWEN_PORTABLE_TIMER)
#define TARROWEN_KERNEL_TIMER 1
#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace tarrowen {

namespace {

#ifdef TARROWEN_KERNEL_TIMER

int open_interval_timer() {
    return timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
}

void close_interval_timer(int fd) {
    ::close(fd);
}

// Period `ms`, the first expiry one period from now; 0 disarms.
void arm_interval_timer(int fd, int ms) {
    itimerspec period{};
    const long long ns = static_cast<long long>(ms) * 1'000'000;
    period.it_interval.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    period.it_interval.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    period.it_value = period.it_interval;
    timerfd_settime(fd, 0, &period, nullptr);
}

// Consumes the expiries counted so far; false when there were none.
bool take_expirations(int fd) {
    std::uint64_t expirations = 0;
    return ::read(fd, &expirations, sizeof expirations) == sizeof expirations;
}

#else

int open_interval_timer() {
    return -1;
}
void close_interval_timer(int) {}
void arm_interval_timer(int, int) {}
bool take_expirations(int) {
    return false;
}

#endif

}  // namespace

QtPeriodicTimer::QtPeriodicTimer(std::function<void()> on_tick, QObject* parent)
    : QObject(parent), on_tick_(std::move(on_tick)) {
    fd_ = open_interval_timer();
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
    if (fd_ >= 0) close_interval_timer(fd_);
}

void QtPeriodicTimer::schedule(int period_ms) {
    armed_ = period_ms > 0;
    if (fd_ < 0) {
        if (armed_) {
            fallback_.start(period_ms);
        } else {
            fallback_.stop();
        }
        return;
    }
    arm_interval_timer(fd_, period_ms);
    // Drop an expiry that is already waiting, so nothing ticks after the switch-off.
    if (!armed_) take_expirations(fd_);
}

void QtPeriodicTimer::on_timerfd() {
    if (!take_expirations(fd_)) return;
    // One tick per wake-up: ticks that fell due while the thread was busy would all read the
    // same clock, so running them back to back would only repeat the same picture.
    if (armed_) tick();
}

void QtPeriodicTimer::tick() {
    stats_.count(monotonic_seconds());
    on_tick_();
}

void use_precise_timer_slack() {
#ifdef TARROWEN_KERNEL_TIMER
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
}

}  // namespace tarrowen
