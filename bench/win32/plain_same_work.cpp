// SPDX-License-Identifier: GPL-3.0-or-later
// What the Windows program shows, done plainly: the same timer and message loop, five edit
// boxes set with SetWindowText once a screen refresh, and two green lines moved across a black
// child window with GDI (the old ones drawn over in black, the new ones drawn), the point going
// round at 2 rad/s. The program should cost no more CPU than this.
//
//   plain_same_work.exe SECONDS   quits after SECONDS and reports on stderr
//                                 "plain_same_work: N ticks in S s (R per second)"
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "win32/message_loop.h"
#include "win32/waitable_timer.h"

namespace {

struct Picture {
    HWND window = nullptr;
    int x = -1;  // the vertical line's column, -1 before the first frame
    int y = -1;
};

void move_lines(Picture& p, int x, int y) {
    RECT client;
    GetClientRect(p.window, &client);
    HDC dc = GetDC(p.window);
    HPEN black = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HPEN green = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
    const HGDIOBJ old = SelectObject(dc, black);
    if (p.x >= 0) {
        MoveToEx(dc, p.x, 0, nullptr);
        LineTo(dc, p.x, client.bottom);
        MoveToEx(dc, 0, p.y, nullptr);
        LineTo(dc, client.right, p.y);
    }
    SelectObject(dc, green);
    MoveToEx(dc, x, 0, nullptr);
    LineTo(dc, x, client.bottom);
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, client.right, y);
    SelectObject(dc, old);
    DeleteObject(black);
    DeleteObject(green);
    ReleaseDC(p.window, dc);
    p.x = x;
    p.y = y;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const double seconds = argc > 1 ? std::wcstod(argv[1], nullptr) : 10.0;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = DefWindowProcW;
    c.hInstance = instance;
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = L"PlainSameWork";
    RegisterClassExW(&c);
    c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    c.lpszClassName = L"PlainPicture";
    RegisterClassExW(&c);

    RECT r{0, 0, 739, 560};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND w = CreateWindowExW(0, L"PlainSameWork", L"plain same work", WS_OVERLAPPEDWINDOW,
                             CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                             nullptr, nullptr, instance, nullptr);
    Picture picture;
    picture.window = CreateWindowExW(0, L"PlainPicture", L"", WS_CHILD | WS_VISIBLE, 8, 16, 567,
                                     500, w, nullptr, instance, nullptr);
    HWND boxes[5];
    for (int i = 0; i < 5; ++i)
        boxes[i] =
            CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"0", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                            627, 163 + 30 * i, 50, 25, w, nullptr, instance, nullptr);
    ShowWindow(w, SW_SHOW);

    tarrowen::WaitableTimer timer;
    LARGE_INTEGER f, start;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&start);
    double t = 0;
    tarrowen::MessageLoop* loop_ptr = nullptr;
    tarrowen::MessageLoop loop(
        timer,
        [&] {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            t = static_cast<double>(now.QuadPart - start.QuadPart) / f.QuadPart;
            if (t >= seconds) PostQuitMessage(0);
            loop_ptr->request_frame();
        },
        [&] {
            const double theta = 2 * t;
            const double values[5] = {t, theta, std::cos(theta), std::sin(theta),
                                      theta / 3.1415926};
            for (int i = 0; i < 5; ++i) {
                wchar_t text[32];
                std::swprintf(text, 32, L"%.3g", values[i]);
                SetWindowTextW(boxes[i], text);
            }
            move_lines(picture, static_cast<int>(283.5 + 125 * std::cos(theta)),
                       static_cast<int>(250 - 125 * std::sin(theta)));
        });
    loop_ptr = &loop;
    loop.set_refresh_rate(tarrowen::refresh_rate_of(w));
    timer.set_interval(1);
    timer.set_enabled(true);
    const int status = loop.run();
    std::fputs((timer.tick_stats().line("plain_same_work") + "\n").c_str(), stderr);
    return status;
}
