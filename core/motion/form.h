// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window hands its handlers: the motion state, the drawing area, the panel, the timer
// and the clock. None of the handlers knows about widgets: a test builds a Form from a
// MotionState, a DrawingArea, a Panel, a ManualTimer and a HandClock, and calls the handlers
// (the tick included) itself.
//
// A handler that cannot compute what it must (a number too large for its kind) throws
// HandlerError with a message for the user: a button's handler before it stores anything, the
// tick where it stands. run_handler (run_handler.h) reports it and decides what the failure
// leaves behind, whatever threw and wherever.

#include <string>

#include "core/canvas/drawing_area.h"
#include "core/motion/motion_state.h"
#include "core/motion/panel.h"
#include "core/platform/clock.h"
#include "core/platform/timer.h"

namespace tarrowen {

struct Form {
    MotionState& m;
    DrawingArea& Picture1;
    Panel& txt_masses;
    PeriodicTimer& Timer1;
    Clock& clock;
    // What a handler that succeeded has to tell the user about a change it made of its own
    // accord; run_handler tells it once and clears it.
    std::string note{};
};

}  // namespace tarrowen
