// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The motion set running at a radius and a pixel ratio, on a clock that a benchmark moves on by
// 1 ms a tick: what the tick benchmarks of every build time.

#include <string>

#include "core/canvas/drawing_area.h"
#include "core/motion/form.h"
#include "core/platform/clock.h"
#include "core/platform/timer.h"

namespace tarrowen::bench {

class SteppedClock final : public Clock {
  public:
    float now() override { return static_cast<float>(36000.0 + static_cast<double>(ms_) / 1000.0); }
    void advance() { ++ms_; }

  private:
    long long ms_ = 0;
};

struct TickRig {
    MotionState m;
    DrawingArea area;
    TextPanel panel;
    ManualTimer timer;
    SteppedClock clock;
    Form form{m, area, panel, timer, clock};

    TickRig(const std::string& radius, double ratio, PixelFormat format = PixelFormat::Xrgb)
        : area(567, 500, ratio, format) {
        load_motion(form);
        panel.set_text(kBoxRadius, radius);
        runSImulation_Click(form);
    }

    // One tick, 1 ms after the last.
    void tick() {
        clock.advance();
        Timer1_Timer(form);
    }
};

}  // namespace tarrowen::bench
