#include "platform/qt_timer.h"

#include <sys/prctl.h>

namespace tarrowen {

QtPeriodicTimer::QtPeriodicTimer(std::function<void()> on_tick, QObject* parent)
    : QObject(parent), on_tick_(std::move(on_tick)) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
        ++ticks_;
        on_tick_();
    });
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
    if (ticking()) {
        // start() restarts the period; only do it when something changed.
        if (!timer_.isActive() || timer_.interval() != interval_) timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

void use_precise_timer_slack() {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

}  // namespace tarrowen
