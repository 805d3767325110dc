// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The handlers of the window's events, on the motion state and on what the window hands them.
// None of them knows about widgets: a test builds a Form from a MotionState, a DrawingArea, a
// Panel, a ManualTimer and a fake clock, and calls the handlers (the tick included) itself.
//
// A handler that cannot compute what it must (a number too large for its kind) throws
// HandlerError with a message for the user: a button's handler before it stores anything, the
// tick where it stands. run_handler reports it and decides what the failure leaves behind,
// whatever threw and wherever.

#include <cstdint>
#include <functional>
#include <string>

#include "core/platform/clock.h"
#include "core/platform/error_report.h"
#include "core/platform/timer.h"
#include "core/motion/handler_error.h"
#include "core/motion/motion_state.h"
#include "core/canvas/drawing_area.h"

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

// The first steps of the window's start-up: Timer1 on at interval 0 (so nothing ticks before
// Run), the area black, omega, R and theta0 read from the initial texts of boxes 0 to 2 (so the
// state agrees with what the panel shows), and the user scale.
void load_motion(Form& f);

// The orbit centre as numbers: 170/75 (double) and 2 (16-bit integer).
const Number& center_x();
const Number& center_y();

// Run control.
// Reads the three input boxes first: a Run whose numbers cannot be read changes nothing.
void runSImulation_Click(Form& f);
void init_run(Form& f);
// Pauses a running motion; does nothing otherwise, so the first pause's reading is the one
// that counts.
void cmd_stop_simulation_Click(Form& f);
// Resumes a paused motion from where it stopped; does nothing otherwise.
void cmd_restart_Click(Form& f);
// After the tick failed: stops the timer; a running motion is paused, so that once the cause
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
// Moves theta0 so that the angle of the last tick stays where it was now that ang_freq has
// changed from `old`. An angle that cannot be computed, or is too large to go on from, is
// taken within one turn of the point's place instead, and f.note says so. Throws HandlerError,
// changing nothing, when the phase cannot be formed with the new ang_freq at all.
void adjust_phase(Form& f, const Number& old);

// What a failing handler leaves behind.
enum class OnFailure {
    // A handler of the user's: the motion state, the input texts and the timer as they were
    // before it ran. It changed nothing, so a running motion goes on and a paused one stays
    // paused.
    KeepAsItWas,
    // The tick: it would fail again on the next tick, a thousand times a second, so the timer
    // stops and the motion is paused there; "Restart" goes on once the cause is mended.
    StopTheTimer,
};

// Runs one handler for the window. A failure is told to `report` once, in words, and leaves
// what `on_failure` says; otherwise a note the handler left is told once.
void run_handler(Form& f, ErrorReport& report, OnFailure on_failure,
                 const std::function<void()>& handler);

// Where every projection line ends: beyond the width and the height, so each line crosses the
// whole area from the left or top edge.
inline constexpr float kLineEnd = 5.0f;

// The constant divisor of the theta/pi readout: 3.1415926, not full-precision pi.
inline constexpr double kReadoutPi = 3.1415926;

}  // namespace tarrowen
