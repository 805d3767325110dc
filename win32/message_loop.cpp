// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/message_loop.h"

namespace tarrowen {

namespace {
constexpr UINT_PTR kServeTimer = 1;
}  // namespace

MessageLoop::MessageLoop(WaitableTimer& timer, std::function<void()> on_tick,
                         std::function<void()> on_frame)
    : timer_(timer), on_tick_(std::move(on_tick)), on_frame_(std::move(on_frame)) {}

DWORD MessageLoop::frame_timeout() const {
    if (!pacer_.requested()) return INFINITE;
    return static_cast<DWORD>(pacer_.wait_ms(monotonic_seconds()));
}

void MessageLoop::deliver_tick() {
    timer_.count_tick();
    on_tick_();
}

void MessageLoop::deliver_frame_if_due() {
    if (pacer_.take_due(monotonic_seconds())) on_frame_();
}

void MessageLoop::serve_due() {
    if (WaitForSingleObject(timer_.handle(), 0) == WAIT_OBJECT_0) deliver_tick();
    deliver_frame_if_due();
}

void MessageLoop::modal(bool begins) {
    modal_depth_ += begins ? 1 : -1;
    if (begins && modal_depth_ == 1) SetTimer(dialog_, kServeTimer, USER_TIMER_MINIMUM, nullptr);
    if (!begins && modal_depth_ == 0) KillTimer(dialog_, kServeTimer);
}

bool MessageLoop::handle_modal(UINT message, WPARAM wp) {
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
            if (wp == kServeTimer) serve_due();
            return wp == kServeTimer;
        default:
            return false;
    }
}

bool MessageLoop::dialog_key(MSG& msg) {
    if (dialog_ == nullptr || !IsChild(dialog_, msg.hwnd)) return false;
    // Enter presses the focused button, as in a dialog, where the focused button is the
    // default one. A window that is not a dialog box would send IDOK to itself instead.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        const HWND focus = GetFocus();
        const auto code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
        if ((code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
            SendMessageW(focus, BM_CLICK, 0, 0);
            return true;
        }
    }
    return IsDialogMessageW(dialog_, &msg) != FALSE;
}

int MessageLoop::run() {
    for (;;) {
        HANDLE timer = timer_.handle();
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &timer, frame_timeout(), QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        // The wait took the timer's signal: one tick, however late; missed periods are not
        // made up, as the motion reads the clock and not the count of ticks.
        if (woke == WAIT_OBJECT_0) deliver_tick();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            if (keys_ != nullptr && dialog_ != nullptr &&
                TranslateAcceleratorW(dialog_, keys_, &msg) != 0) {
                continue;
            }
            if (dialog_key(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        deliver_frame_if_due();
    }
}

double refresh_rate_of(HWND window) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info)) return 0;
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode)) return 0;
    // 0 and 1 stand for the hardware's default rate.
    return mode.dmDisplayFrequency > 1 ? mode.dmDisplayFrequency : 0;
}

}  // namespace tarrowen
