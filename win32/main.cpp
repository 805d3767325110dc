// SPDX-License-Identifier: GPL-3.0-or-later
// Tarrowen on Windows: one window of plain Win32 controls, its 1 ms timer on the message loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <optional>

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
        // For measuring: TARROWEN_TICK_STATS=1 reports the tick rate on the way out.
        if (GetEnvironmentVariableW(L"TARROWEN_TICK_STATS", nullptr, 0) != 0) {
            const auto& timer = window.waitable_timer();
            const double s = timer.seconds_ticking();
            std::fprintf(stderr, "tarrowen: %lld ticks in %.3f s (%.1f per second)%s\n",
                         timer.ticks_delivered(), s,
                         s > 0 ? static_cast<double>(timer.ticks_delivered() - 1) / s : 0.0,
                         timer.high_resolution() ? "" : " on the fallback timer");
            std::fflush(stderr);
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return status;
}
