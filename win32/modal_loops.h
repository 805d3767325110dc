// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ticks and frames while a modal loop of Windows' own runs (a message box, moving the window,
// the system menu), which does not run the program's message loop: a thread timer, on while
// any such loop runs, whose WM_TIMER serves what is due, so that the motion goes on behind a
// report and under a dragged window, at the thread timer's coarser rate.

#include <windows.h>

#include "win32/message_loop.h"

namespace tarrowen {

class ModalLoops {
  public:
    explicit ModalLoops(MessageLoop& loop) : loop_(loop) {}
    void set_window(HWND window) { window_ = window; }

    // A modal loop begins (true) or ends (false); they nest.
    void modal(bool begins);
    // The window's messages that begin and end one, and the timer's: true when handled.
    bool handle(UINT message, WPARAM wp);

  private:
    MessageLoop& loop_;
    HWND window_ = nullptr;
    int depth_ = 0;
};

}  // namespace tarrowen
