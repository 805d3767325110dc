// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/frontend/frame_pacer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace tarrowen {

void FramePacer::set_refresh_rate(double hz) {
    period_ = 1.0 / (hz > 1 ? hz : 60.0);
}

double FramePacer::due(double now) const {
    return std::max(now, last_frame_ + period_);
}

int FramePacer::wait_ms(double now) const {
    return static_cast<int>(std::ceil((due(now) - now) * 1000));
}

bool FramePacer::take_due(double now) {
    if (!requested_ || !is_due(now)) return false;
    requested_ = false;
    delivered(now);
    return true;
}

double monotonic_seconds() {
    const auto t = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(t).count();
}

}  // namespace tarrowen
