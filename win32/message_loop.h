// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user-interface thread's message loop: window messages, the ticks of Timer1 and the
// frames, all on this one thread.
//
// The loop sleeps in MsgWaitForMultipleObjectsEx on the timer's handle and the message queue,
// with a timeout when a frame is due. Frames asked for go out by the core's rule
// (core/frontend/frame_pacer.h): a click shows at once, and a running motion is presented at
// the screen's refresh rate, not on every tick. (DwmFlush would pace frames to the compositor
// but blocks the thread, and the thread must wait on the timer; the refresh period from the
// display settings is near enough, and a frame never waits longer than one period.)
//
// A modal loop of Windows' own (a message box, moving the window, the system menu) does not run
// this loop: while any such loop runs, a thread timer's WM_TIMER serves what is due, so that the
// motion goes on behind a report and under a dragged window, at the thread timer's coarser rate.

#include <windows.h>

#include <functional>

#include "core/frontend/frame_pacer.h"
#include "win32/waitable_timer.h"

namespace tarrowen {

class MessageLoop {
  public:
    MessageLoop(WaitableTimer& timer, std::function<void()> on_tick,
                std::function<void()> on_frame);

    // The window whose dialog keys (Tab, Shift+Tab, Enter and Space on buttons) the loop
    // handles, as a dialog's would.
    void set_dialog(HWND dialog) { dialog_ = dialog; }
    // Keys of the window that no control has, translated into its WM_COMMAND.
    void set_accelerators(HACCEL keys) { keys_ = keys; }
    // The refresh rate that frames follow, in hertz; 60 when unknown.
    void set_refresh_rate(double hz) { pacer_.set_refresh_rate(hz); }

    // One frame to be delivered at the next refresh.
    void request_frame() { pacer_.request(); }
    // One tick of the timer, as if it had fired.
    void deliver_tick();

    // Runs until WM_QUIT and returns its exit code.
    int run();

    // A modal loop begins (true) or ends (false); they nest.
    void modal(bool begins);
    // The dialog window's messages that begin and end one, and the thread timer's: true when
    // handled.
    bool handle_modal(UINT message, WPARAM wp);

  private:
    // Delivers a tick that is due and a frame that is due, without waiting.
    void serve_due();
    // Milliseconds until the requested frame is due (0: now), or INFINITE when none is.
    DWORD frame_timeout() const;
    void deliver_frame_if_due();
    // The dialog keys; true when the message was handled.
    bool dialog_key(MSG& msg);

    WaitableTimer& timer_;
    std::function<void()> on_tick_;
    std::function<void()> on_frame_;
    HWND dialog_ = nullptr;
    HACCEL keys_ = nullptr;
    FramePacer pacer_;
    int modal_depth_ = 0;
};

// The refresh rate of the monitor that shows `window`, in hertz; 0 when Windows does not say.
double refresh_rate_of(HWND window);

}  // namespace tarrowen
