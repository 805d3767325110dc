// SPDX-License-Identifier: GPL-3.0-or-later
// What the readouts tell assistive technology while the motion runs, as a screen reader hears
// it: a WinEvent hook out of the program's process (SetWinEventHook, WINEVENT_OUTOFCONTEXT)
// counts the events that say a box's value or name changed, box by box, while the real
// program runs on its real clock and timer. By the rule of the readouts (core/frontend/
// readouts.h):
//   running, the focus off the readouts: none at all, though the boxes change every frame;
//   running, the focus on "t (sec)": that box only, once every 3 s (1 to 3 in 7 s);
//   paused: each readout once, and then silence.
// And what assistive technology reads when it asks (WM_GETTEXT, the edit's accessible value)
// follows the box between its announcements.
#include <windows.h>

#include <array>
#include <map>

#include "checks.h"
#include "remote_app.h"

namespace tarrowen::driver {

namespace {

struct Counts {
    std::array<HWND, 5> readouts{};
    // Per readout (0 to 4 for boxes 3 to 7): the events that announce a value or a name.
    std::array<int, 5> announced{};
    // Every event type seen from a readout, for the record.
    std::map<DWORD, int> by_type;
};

Counts* counts = nullptr;

void CALLBACK on_event(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
    if (counts == nullptr) return;
    for (std::size_t i = 0; i < counts->readouts.size(); ++i) {
        if (hwnd != counts->readouts[i]) continue;
        ++counts->by_type[event];

        if ((event == EVENT_OBJECT_VALUECHANGE || event == EVENT_OBJECT_NAMECHANGE) &&
            object == OBJID_CLIENT)
            ++counts->announced[i];
    }
}

// Lets the hook's events in for `ms` milliseconds.
void pump(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
}

std::string listed(const std::array<int, 5>& a) {
    std::string s;
    for (int n : a) {
        if (!s.empty()) s += ' ';
        s += std::to_string(n);
    }
    return s;
}

std::string event_name(DWORD e) {
    switch (e) {
        case EVENT_OBJECT_VALUECHANGE:
            return "value change";
        case EVENT_OBJECT_NAMECHANGE:
            return "name change";
        case EVENT_OBJECT_FOCUS:
            return "focus";
        case EVENT_OBJECT_SHOW:
            return "show";
        case EVENT_OBJECT_HIDE:
            return "hide";
        case EVENT_OBJECT_LOCATIONCHANGE:
            return "location change";
        case EVENT_OBJECT_STATECHANGE:
            return "state change";
        default: {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%04lX", e);
            return hex;
        }
    }
}

}  // namespace

void check_readout_events(Checks& checks, const std::wstring& exe) {
    using namespace layout;
    RemoteApp app(exe, std::nullopt);
    Counts c;
    for (int i = 0; i < 5; ++i)
        c.readouts[static_cast<std::size_t>(i)] = app.control(txt_masses(3 + i));
    counts = &c;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, on_event, app.process_id(),
                                         0, WINEVENT_OUTOFCONTEXT);
    checks.expect(hook != nullptr, "a WinEvent hook on the program");

    // The hook works: the focus moving into a box is an event from that box.
    app.click(runSImulation);
    pump(300);
    c = Counts{c.readouts, {}, {}};
    pump(3000);
    checks.expect(c.announced == std::array<int, 5>{},
                  "running, focus on \"Run Simulation\": readouts 3 to 7 announced " +
                      listed(c.announced) + " times in 3 s (none)");
    const std::string before = app.text(txt_masses(3));
    Sleep(300);
    const std::string after = app.text(txt_masses(3));
    checks.expect(!before.empty() && before != after,
                  "asked, the running \"t (sec)\" box reads \"" + before + "\", then \"" + after +
                      "\" 0.3 s later: the value shown, not the last one announced");

    bool focused = false;
    for (int i = 0; i <= kFocusable && !focused; ++i) {
        focused = app.tab() == app.control(txt_masses(3));
    }
    checks.expect(focused, "Tab reaches the \"t (sec)\" box while the motion runs");
    pump(100);
    const auto focus_events = c.by_type[EVENT_OBJECT_FOCUS];
    c = Counts{c.readouts, {}, {}};
    pump(7000);
    const auto& a = c.announced;
    checks.expect(a[0] >= 1 && a[0] <= 3 && a[1] == 0 && a[2] == 0 && a[3] == 0 && a[4] == 0,
                  "running, focus on \"t (sec)\": readouts 3 to 7 announced " + listed(a) +
                      " times in 7 s (box 3 once every 3 s, the others never)");
    std::string seen;
    for (const auto& [type, n] : c.by_type) {
        if (!seen.empty()) seen += ", ";
        seen.append(event_name(type)).append(" ").append(std::to_string(n));
    }
    checks.note("events from the readouts in those 7 s: " + (seen.empty() ? "none" : seen) +
                "; focus events before: " + std::to_string(focus_events));

    c = Counts{c.readouts, {}, {}};
    app.click(cmd_stop_simulation);
    pump(1000);
    const auto on_pause = c.announced;
    c = Counts{c.readouts, {}, {}};
    pump(2000);
    checks.expect(on_pause == std::array<int, 5>{1, 1, 1, 1, 1},
                  "paused: readouts 3 to 7 announced " + listed(on_pause) +
                      " times (each once, what the screen shows)");
    checks.expect(c.announced == std::array<int, 5>{},
                  "paused, 2 s later: " + listed(c.announced) + " more (none)");

    counts = nullptr;
    UnhookWinEvent(hook);
    checks.expect(app.close() == 0, "the program ends when its window is closed");
}

}  // namespace tarrowen::driver
