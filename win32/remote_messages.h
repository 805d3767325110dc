// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's side of the remote control (win32/remote_control.h): the three registered
// messages of the hand-set clock, registered and answered only when the program was started
// on that clock.

#include <windows.h>

#include <functional>

namespace tarrowen {

class RemoteMessages {
  public:
    struct Handlers {
        std::function<void(double seconds)> set_clock;
        std::function<void()> tick;
        std::function<void()> present;
    };
    explicit RemoteMessages(Handlers handlers);

    // Handles `message` when it is one of them; false for every other message.
    bool handle(UINT message, LPARAM lp) const;

  private:
    Handlers handlers_;
    UINT set_clock_;
    UINT tick_;
    UINT present_;
};

}  // namespace tarrowen
