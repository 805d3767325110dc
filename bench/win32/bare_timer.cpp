// SPDX-License-Identifier: GPL-3.0-or-later
// The floor under the Windows program's CPU while it runs: a shown, empty window of the
// program's size with the program's own timer (the waitable 1 ms timer on the same message
// loop) ticking and doing nothing. A thousand wake-ups a second cost this much whatever a tick
// does.
//
//   bare_timer.exe SECONDS   quits after SECONDS and reports on stderr
//                            "bare_timer: N ticks in S s (R per second)"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "win32/message_loop.h"
#include "win32/waitable_timer.h"

int wmain(int argc, wchar_t** argv) {
    const double seconds = argc > 1 ? std::wcstod(argv[1], nullptr) : 10.0;
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = DefWindowProcW;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = L"BareTimer";
    RegisterClassExW(&c);
    RECT r{0, 0, 739, 560};  // the program's client area at 96 dpi
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND w = CreateWindowExW(0, L"BareTimer", L"bare timer", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                             CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                             c.hInstance, nullptr);
    ShowWindow(w, SW_SHOW);

    tarrowen::WaitableTimer timer;
    LARGE_INTEGER f, start;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&start);
    tarrowen::MessageLoop loop(
        timer,
        [&] {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            if (static_cast<double>(now.QuadPart - start.QuadPart) / f.QuadPart >= seconds)
                PostQuitMessage(0);
        },
        [] {});
    timer.set_interval(1);
    timer.set_enabled(true);
    const int status = loop.run();
    std::fputs((timer.tick_stats().line("bare_timer") + "\n").c_str(), stderr);
    return status;
}
