// SPDX-License-Identifier: GPL-3.0-or-later
// The window as laid out at the screen's dpi: every control where the layout table puts it, at
// that dpi's scale (each edge of its twips at dpi/1440 pixels a twip, to the nearest pixel),
// and the keyboard's way through the controls, as a user without a mouse goes.
#include <windows.h>

#include "checks.h"
#include "core/platform/hand_clock.h"
#include "remote_app.h"

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

    RECT client;
    GetClientRect(app.window(), &client);
    const RECT want_client{0, 0, 739 * scale, 560 * scale};
    checks.expect(EqualRect(&client, &want_client) != FALSE,
                  "client area " + describe(client) + ", the table's " + describe(want_client));

    for (int i = 0; i < kControlCount; ++i) {
        const auto id = static_cast<Id>(i);
        RECT r;
        GetWindowRect(app.control(id), &r);
        MapWindowPoints(nullptr, app.window(), reinterpret_cast<POINT*>(&r), 2);
        // Each edge rounded once from twips at the dpi; the picture as large as its canvas,
        // the table's pixels at 96 dpi times the scale.
        const Place t = control(id).twips;
        const auto edge = [dpi](int twips) { return MulDiv(twips, static_cast<int>(dpi), 1440); };
        RECT want{edge(t.left), edge(t.top), edge(t.right()), edge(t.bottom())};
        if (id == Picture1) {
            want.right = want.left + to_pixels(t).width * scale;
            want.bottom = want.top + to_pixels(t).height * scale;
        }
        checks.expect(EqualRect(&r, &want) != FALSE, std::string(control(id).name) + " at " +
                                                         describe(r) + ", the table's " +
                                                         describe(want));
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
