// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of the motion, held by the window for its whole life. Every field is a dynamic
// number and starts out empty.

#include <array>
#include <cstdint>

#include "core/motion/palette.h"
#include "core/numbers/dynamic_number.h"

namespace tarrowen {

struct MotionState {
    Number ang_freq;   // omega, rad/s (double once read)
    Number radius;     // R, drawing units
    Number theta0;     // phase at elapsed time 0, rad
    Number theta;      // angle of the last tick, rad (double)
    Number t_sec;      // elapsed time of the last tick, s (single)
    Number t_start;    // clock reading that counts as elapsed time 0 (single, with start_day)
    Number t_pause;    // clock reading at the pause in force (single, with pause_day)
    Number pause_len;  // length of the last pause, s (single)
    Number step;       // step of the adjust buttons: int16 1 or double 0.1, 0.01, 0.001
    Number x_now;      // the point (double)
    Number y_now;
    Number x_prev;  // where the projection lines were last drawn (double)
    Number y_prev;
    std::array<Number, 4> palette;  // by PaletteEntry (32-bit colour values)
    // The days of the clock readings t_start and t_pause: the seconds of a reading stay below
    // one day's, so they keep their precision however long the program has been open.
    std::int32_t start_day = 0;
    std::int32_t pause_day = 0;
};

}  // namespace tarrowen
