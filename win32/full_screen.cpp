// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/full_screen.h"

namespace tarrowen {

void FullScreen::enter(HWND window) {
    if (on_) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    placement_.length = sizeof placement_;
    if (!GetWindowPlacement(window, &placement_) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    style_ = GetWindowLongPtrW(window, GWL_STYLE);
    on_ = true;
    SetWindowLongPtrW(window, GWL_STYLE, (style_ & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
    const RECT& r = monitor.rcMonitor;
    SetWindowPos(window, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

void FullScreen::leave(HWND window) {
    if (!on_) return;
    on_ = false;
    SetWindowLongPtrW(window, GWL_STYLE, style_);
    SetWindowPlacement(window, &placement_);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
}

}  // namespace tarrowen
