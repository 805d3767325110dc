// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/modal_loops.h"

namespace tarrowen {

namespace {
constexpr UINT_PTR kServeTimer = 1;
}  // namespace

void ModalLoops::modal(bool begins) {
    depth_ += begins ? 1 : -1;
    if (begins && depth_ == 1) SetTimer(window_, kServeTimer, USER_TIMER_MINIMUM, nullptr);
    if (!begins && depth_ == 0) KillTimer(window_, kServeTimer);
}

bool ModalLoops::handle(UINT message, WPARAM wp) {
    switch (message) {
        case WM_ENTERSIZEMOVE:
        case WM_ENTERMENULOOP:
            modal(true);
            return true;
        case WM_EXITSIZEMOVE:
        case WM_EXITMENULOOP:
            modal(false);
            return true;
        case WM_TIMER:
            if (wp == kServeTimer) loop_.serve_due();
            return wp == kServeTimer;
        default:
            return false;
    }
}

}  // namespace tarrowen
