// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the window runs a handler: a failure told once, in words, and what it leaves behind.

#include <functional>

#include "core/motion/form.h"
#include "core/platform/error_report.h"

namespace tarrowen {

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

}  // namespace tarrowen
