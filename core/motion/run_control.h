// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run control: the start-up of the motion, Run, pause and Restart, and what a failing tick
// leaves behind.

#include "core/motion/form.h"

namespace tarrowen {

// The first steps of the window's start-up: Timer1 on at interval 0 (so nothing ticks before
// Run), the area black, omega, R and theta0 read from the initial texts of boxes 0 to 2 (so the
// state agrees with what the panel shows), and the user scale.
void load_motion(Form& f);

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

}  // namespace tarrowen
