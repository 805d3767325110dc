// SPDX-License-Identifier: GPL-3.0-or-later
// Tarrowen on Windows: one window of plain Win32 controls, its 1 ms timer on the message loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cwchar>
#include <optional>

#include "core/frontend/tick_stats.h"
#include "win32/remote_control.h"
#include "win32/tarrowen_window.h"

namespace {

// Tests only: TARROWEN_HAND_CLOCK=SECONDS starts the program on a hand-set clock.
std::optional<double> hand_clock() {
    wchar_t text[64];
    const DWORD n = GetEnvironmentVariableW(tarrowen::remote::kHandClockVariable, text, 64);
    if (n == 0 || n >= 64) return std::nullopt;
    wchar_t* end = nullptr;
    const double seconds = std::wcstod(text, &end);
    if (end == text) return std::nullopt;
    return seconds;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // The accessible names (Dynamic Annotation) are a COM service.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int status = 0;
    {
        tarrowen::TarrowenWindow window(instance, hand_clock());
        window.show(show);
        status = window.run();
        const auto& timer = window.waitable_timer();
        report_tick_stats_if_asked(timer.tick_stats(), "tarrowen",
                                   timer.high_resolution() ? "" : " on the fallback timer");
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return status;
}
