// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/remote_messages.h"

#include "win32/remote_control.h"

namespace tarrowen {

RemoteMessages::RemoteMessages(Handlers handlers)
    : handlers_(std::move(handlers)),
      set_clock_(RegisterWindowMessageW(remote::kSetClockMessage)),
      tick_(RegisterWindowMessageW(remote::kTickMessage)),
      present_(RegisterWindowMessageW(remote::kPresentMessage)) {}

bool RemoteMessages::handle(UINT message, LPARAM lp) const {
    if (message == 0) return false;
    if (message == set_clock_) {
        handlers_.set_clock(remote::lparam_to_seconds(lp));
    } else if (message == tick_) {
        handlers_.tick();
    } else if (message == present_) {
        handlers_.present();
    } else {
        return false;
    }
    return true;
}

}  // namespace tarrowen
