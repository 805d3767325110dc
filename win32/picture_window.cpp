// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/picture_window.h"

#include "win32/remote_control.h"

namespace tarrowen {

namespace {

const DrawingArea& area_of(HWND picture) {
    return *reinterpret_cast<const DrawingArea*>(GetWindowLongPtrW(picture, GWLP_USERDATA));
}

void copy_rect(HDC dc, const DrawingArea& area, const Rect& r) {
    const Rect d = r & Rect{0, 0, area.width(), area.height()};
    if (d.empty()) return;
    // Rows d.y0 .. d.y1 of the canvas as a DIB: the header describes them alone, from the first
    // of them on, so no source offset on the vertical axis is needed.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = area.stride();
    info.bmiHeader.biHeight = -d.height();  // negative: top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const void* bits = area.pixels() + static_cast<std::ptrdiff_t>(d.y0) * area.stride();
    SetDIBitsToDevice(dc, d.x0, d.y0, static_cast<DWORD>(d.width()), static_cast<DWORD>(d.height()),
                      d.x0, 0, 0, static_cast<UINT>(d.height()), bits, &info, DIB_RGB_COLORS);
}

void notify_parent(HWND picture, WORD code) {
    SendMessageW(GetParent(picture), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(picture), code),
                 reinterpret_cast<LPARAM>(picture));
}

LRESULT CALLBACK picture_proc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            if (GetWindowLongPtrW(w, GWLP_USERDATA) != 0) {
                const DrawingArea& area = area_of(w);
                copy_rect(dc, area, {0, 0, area.width(), area.height()});
            }
            EndPaint(w, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // every pixel is painted from the canvas
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            SetFocus(w);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // The menu from the keyboard, as a right click opens it (lParam -1: no point).
            if (wp == VK_APPS || (wp == VK_F10 && GetKeyState(VK_SHIFT) < 0)) {
                SendMessageW(GetParent(w), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w), -1);
                return 0;
            }
            return DefWindowProcW(w, message, wp, lp);
        case WM_SETFOCUS:
            notify_parent(w, BN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            notify_parent(w, BN_KILLFOCUS);
            return 0;
        default:
            return DefWindowProcW(w, message, wp, lp);
    }
}

}  // namespace

void register_picture_class(HINSTANCE instance) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = picture_proc;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.lpszClassName = remote::kPictureClass;
    RegisterClassExW(&c);
}

HWND create_picture_window(HWND parent, int id, const DrawingArea& area) {
    HWND w = CreateWindowExW(0, remote::kPictureClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0,
                             0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                             nullptr);
    SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&area));
    return w;
}

void present_rects(HWND picture, const RectList& changed) {
    const DrawingArea& area = area_of(picture);
    HDC dc = GetDC(picture);
    for (const Rect& r : changed)
        copy_rect(dc, area, r);
    ReleaseDC(picture, dc);
}

}  // namespace tarrowen
