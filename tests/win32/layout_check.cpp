// SPDX-License-Identifier: GPL-3.0-or-later
// The window as laid out at the screen's dpi: every control where the layout table puts it, at
// that dpi's scale (each edge of its twips at dpi/1440 pixels a twip, to the nearest pixel),
// and the keyboard's way through the controls, as a user without a mouse goes.
#include <windows.h>

#include <algorithm>
#include <cmath>

#include "checks.h"
#include "core/layout/device_pixels.h"
#include "core/platform/hand_clock.h"
#include "remote_app.h"
#include "win32/remote_control.h"

namespace tarrowen::driver {

namespace {

std::string describe(const RECT& r) {
    // Appended piece by piece: GCC 12 warns (-Wrestrict) wrongly about a chain of + here.
    std::string s = "(";
    s.append(std::to_string(r.left)).append(", ").append(std::to_string(r.top)).append(") ");
    s.append(std::to_string(r.right - r.left)).append(" x ");
    return s.append(std::to_string(r.bottom - r.top));
}

// Tab until `id` has the focus; false when it never comes.
bool tab_to(RemoteApp& app, layout::Id id) {
    for (int i = 0; i <= layout::kFocusable && app.focus() != app.control(id); ++i)
        app.tab();
    return app.focus() == app.control(id);
}

}  // namespace

void check_layout(Checks& checks, const std::wstring& exe) {
    using namespace layout;
    RemoteApp app(exe, kHandClockStart);
    const UINT dpi = GetDpiForWindow(app.window());
    checks.note("the window's dpi is " + std::to_string(dpi));
    if (dpi % 96 != 0) {
        checks.expect(false, "a dpi that is a whole multiple of 96 (this check's scales)");
        app.close();
        return;
    }
    const int scale = static_cast<int>(dpi / 96);

    // The window at each size: opened; its client area made larger (the layout scaled by the
    // largest factor at which it fits, centred, the picture as large as its canvas); full
    // screen; and back at the start-up size, where it is the start-up window again.
    struct Size {
        const char* name;
        int width, height;  // of the client area in screen pixels; 0: as it is
        const char* step;   // a driver step before looking, or ""
    };
    const Size sizes[] = {
        {"opened", 0, 0, ""},
        {"twice as large", 1478 * scale, 1120 * scale, ""},
        {"wider than high", 1500 * scale, 700 * scale, ""},
        {"full screen", 0, 0, "full-screen"},
        {"full screen left with Escape", 0, 0, "escape"},
        {"back at the start size", 739 * scale, 560 * scale, ""},
    };
    const RECT work = [] {
        RECT r;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
        return r;
    }();
    for (const Size& size : sizes) {
        if (size.width > work.right - work.left || size.height > work.bottom - work.top) {
            checks.note(std::string(size.name) + ": not tried, larger than the screen");
            continue;
        }
        if (size.width > 0) app.set_client_size(size.width, size.height);
        if (std::string(size.step) == "full-screen") {
            app.act(app.window(), WM_COMMAND, remote::kFullScreenCommand);
        } else if (std::string(size.step) == "escape") {
            app.press_key(VK_ESCAPE);
        }
        SendMessageW(app.window(), WM_NULL, 0, 0);
        RECT client;
        GetClientRect(app.window(), &client);
        const int w = client.right, h = client.bottom;
        const double k = scale * std::max(1.0, std::min(w / (739.0 * scale), h / (560.0 * scale)));
        const int dx = std::max(0, w - to_device(kClientWidth, k)) / 2;
        const int dy = std::max(0, h - to_device(kClientHeight, k)) / 2;
        const std::string at = std::string(size.name) + " (client " + describe(client) + "): ";
        const bool opened = std::string(size.name) == "opened";
        if (opened) {
            const RECT want_client{0, 0, 739 * scale, 560 * scale};
            checks.expect(EqualRect(&client, &want_client) != FALSE,
                          at + "the table's " + describe(want_client));
        } else if (k > scale) {
            // Filled to the height or to the width, within the rounding of one edge.
            checks.expect(std::min(std::abs(h - to_device(kClientHeight, k)),
                                   std::abs(w - to_device(kClientWidth, k))) <= 1,
                          at + "the layout fills its height or width");
        }
        int wrong = 0;
        for (int i = 0; i < kControlCount; ++i) {
            const auto id = static_cast<Id>(i);
            RECT r;
            GetWindowRect(app.control(id), &r);
            MapWindowPoints(nullptr, app.window(), reinterpret_cast<POINT*>(&r), 2);
            Place p = to_device(control(id).twips, k);
            if (id == Picture1) {
                p.width = static_cast<int>(std::lround(567 * k));
                p.height = static_cast<int>(std::lround(500 * k));
            }
            const RECT want{p.left + dx, p.top + dy, p.right() + dx, p.bottom() + dy};
            const bool right = EqualRect(&r, &want) != FALSE;
            wrong += right ? 0 : 1;
            if (!right || opened)
                checks.expect(right, at + control(id).name + " at " + describe(r) +
                                         ", the table's " + describe(want));
        }
        if (!opened) checks.expect(wrong == 0, at + "every control at its scaled place");
    }

    // Tab from the picture, which has the focus at the start, round every control and back.
    const auto& order = tab_order();
    std::string path;
    bool in_order = app.focus() == app.control(order[0]);
    for (std::size_t k = 1; k <= order.size() && in_order; ++k) {
        app.tab();
        const Id want = order[k % order.size()];
        in_order = app.focus() == app.control(want);
        if (k > 1) path += ", ";
        path += control(want).name;
        if (!in_order) path += " (missed)";
    }
    checks.expect(in_order, "Tab goes round the controls in the table's order: " + path);

    // A step chosen with Space, then "incr rad" pressed with Space and with Enter: R goes
    // 1 -> 1.1 -> 1.2.
    bool pressed = tab_to(app, cmd_color(5));
    app.press_key(VK_SPACE);
    pressed = pressed && tab_to(app, cmd_color(0));
    app.press_key(VK_SPACE);
    const auto radius_is = [&](const char* text) {
        return app.wait_for([&] { return app.text(txt_masses(1)) == text; });
    };
    radius_is("1.1");
    const std::string after_space = app.text(txt_masses(1));
    app.press_key(VK_RETURN);
    radius_is("1.2");
    const std::string after_enter = app.text(txt_masses(1));
    checks.expect(pressed && after_space == "1.1" && after_enter == "1.2",
                  "\"increment 0.100\" by Space, \"incr rad\" by Space then Enter: radius \"" +
                      after_space + "\" then \"" + after_enter + "\" (1.1 then 1.2)");
    checks.expect(app.focus() == app.control(cmd_color(0)),
                  "the keyboard stays on the button pressed");
    checks.expect(app.close() == 0, "the program ends when its window is closed");
}

}  // namespace tarrowen::driver
