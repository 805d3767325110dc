// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The motion set running at a radius and a pixel ratio, on a clock that a benchmark moves on by
// 1 ms a tick: what the tick benchmarks of every build time.

#include <string>

#include "core/canvas/drawing_area.h"
#include "core/motion/animation_tick.h"
#include "core/motion/form.h"
#include "core/motion/run_control.h"
#include "core/platform/hand_clock.h"
#include "core/platform/timer.h"
#include "tests/core/text_panel.h"

namespace tarrowen::bench {

struct TickRig {
    MotionState m;
    DrawingArea area;
    testing::TextPanel panel;
    ManualTimer timer;
    HandClock clock;
    long long ms = 0;  // since the Run, counted so that no rounding adds up
    Form form{m, area, panel, timer, clock};

    TickRig(const std::string& radius, double ratio, PixelFormat format = PixelFormat::Xrgb)
        : area(567, 500, ratio, format) {
        load_motion(form);
        panel.set_text(kBoxRadius, radius);
        runSImulation_Click(form);
    }

    // One tick, 1 ms after the last.
    void tick() {
        ++ms;
        clock.set(static_cast<float>(kHandClockStart + static_cast<double>(ms) / 1000.0));
        Timer1_Timer(form);
    }
};

}  // namespace tarrowen::bench
