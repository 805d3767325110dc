// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as the driver works it from outside its process, as a user's tools would: it
// finds the window and its controls by their ids, types with WM_SETTEXT, clicks with BM_CLICK,
// reads with WM_GETTEXT, and finds, reads and closes the message boxes of reports.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/layout/layout.h"

namespace tarrowen::driver {

class RemoteApp {
  public:
    // Starts `exe`; with `hand_clock` (seconds), on the program's hand-set clock. Waits for its
    // window. Throws when it does not come.
    RemoteApp(const std::wstring& exe, std::optional<double> hand_clock);
    // The program already running (the first window of its class).
    RemoteApp();
    ~RemoteApp();
    RemoteApp(const RemoteApp&) = delete;
    RemoteApp& operator=(const RemoteApp&) = delete;

    HWND window() const { return window_; }
    HWND control(layout::Id id) const;
    DWORD thread() const { return thread_; }
    DWORD process_id() const { return pid_; }

    // Sends `message` to `target` and, while the program handles it, closes the message boxes
    // it shows, keeping their texts for reports().
    LRESULT act(HWND target, UINT message, WPARAM wp = 0, LPARAM lp = 0);
    void type(layout::Id id, const std::string& utf8);
    void click(layout::Id id) { act(control(id), BM_CLICK); }
    void tick();
    void set_clock(double seconds);
    void present();
    // The text a control holds, as WM_GETTEXT gives it (what assistive technology reads).
    std::string text(HWND w) const;
    std::string text(layout::Id id) const { return text(control(id)); }

    // The texts of the reports shown since the last call.
    std::vector<std::string> take_reports();

    // The control with the keyboard focus in the program, or nullptr.
    HWND focus() const;
    // Posts a key press (down and up) to the control with the focus and waits until the
    // program has handled it.
    void press_key(WORD key);

    // Waits up to 5 s for `condition` to hold, looking every 5 ms; whether it held.
    template <typename Condition>
    static bool wait_for(Condition condition) {
        for (int i = 0; i < 1000; ++i) {
            if (condition()) return true;
            Sleep(5);
        }
        return condition();
    }
    // Makes the window's client area width x height pixels, and waits until it is handled.
    void set_client_size(int width, int height);
    // Presses Tab and waits for the focus to move on; the control that has it then.
    HWND tab();

    // Asks the program to close (WM_CLOSE) and waits for it; its exit code, or -1 when it did
    // not end within 10 s.
    int close();

  private:
    void find_window();
    // Waits until the program has handled the `posted` messages posted to it last.
    void wait_until_handled(int posted) const;

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    DWORD thread_ = 0;
    HWND window_ = nullptr;
    std::vector<std::string> reports_;
    UINT set_clock_ = 0;
    UINT tick_ = 0;
    UINT present_ = 0;
};

// The layout id of a control named as in the table ("txt_masses(3)"); throws for a bad name.
layout::Id control_named(const std::string& name);

}  // namespace tarrowen::driver
