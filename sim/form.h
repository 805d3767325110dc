// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The handlers of the window's events, on the motion state and on what the window hands them.
// None of them knows about widgets: a test builds a Form from a MotionState, a DrawingArea, a
// TextPanel, a ManualTimer and a fake clock, and calls the handlers (the tick included) itself.
//
// A handler that cannot compute what it must (a number too large for its kind) throws
// HandlerError with a message for the user; the window reports it and stops the timer.

#include <cstdint>

#include "platform/clock.h"
#include "platform/timer.h"
#include "sim/handler_error.h"
#include "sim/motion_state.h"
#include "ui/drawing_area.h"

namespace tarrowen {

struct Form {
    MotionState& m;
    DrawingArea& Picture1;
    Panel& txt_masses;
    PeriodicTimer& Timer1;
    Clock& clock;
};

// The texts of the panel at start-up; the motion state starts from the same values.
inline constexpr const char* kInitialTexts[Panel::kBoxes] = {"2", "1", "0", "0",
                                                             "0", "1", "0", "0"};

// The first steps of the window's start-up: the area black, omega, R and theta0 read from the
// initial texts of boxes 0 to 2 (so the state agrees with what the panel shows), and the user
// scale, 340/75 units across and 4 down.
void load_motion(Form& f);

// The orbit centre as numbers: 170/75 (double) and 2 (16-bit integer).
const Number& center_x();
const Number& center_y();

// Run control.
void runSImulation_Click(Form& f);
void init_run(Form& f);
// Pauses a running motion; does nothing otherwise, so the first pause's reading is the one
// that counts.
void cmd_stop_simulation_Click(Form& f);
// Resumes a paused motion from where it stopped; does nothing otherwise.
void cmd_restart_Click(Form& f);
// After a handler failed: stops the timer; a running motion is paused, so that once the cause
// is mended "Restart" goes on from where it stopped.
void stop_after_error(Form& f);

enum class RunState { Idle, Running, Paused };
RunState run_state(const Form& f);

// The animation tick.
void Timer1_Timer(Form& f);

// Parameter editing.
void cmd_apply_Click(Form& f);
void cmd_color_Click(Form& f, std::int16_t index);
void txt_masses_Change(Form& f, std::int16_t index);
void adjust_phase(Form& f, const Number& old);

// The constant divisor of the theta/pi readout: 3.1415926, not full-precision pi.
inline constexpr double kReadoutPi = 3.1415926;

}  // namespace tarrowen
