// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program's driver, run under wine beside it:
//
//   tarrowen_driver scenarios PROGRAM SCENARIOS   plays the shared scenario list, each scenario
//                                                 on a fresh program on its hand-set clock
//   tarrowen_driver layout PROGRAM                the controls' rectangles against the layout
//                                                 table at the screen's dpi, the keyboard's
//                                                 path through them, Space and Enter on buttons
//   tarrowen_driver events PROGRAM                what the readouts tell assistive technology
//                                                 while the motion runs (SetWinEventHook)
//   tarrowen_driver start PROGRAM [SECONDS]       starts the program (on a hand-set clock at
//                                                 SECONDS) and leaves it running
//   tarrowen_driver do STEP...                    steps on the running program: "click NAME",
//                                                 "type NAME TEXT", "clock S", "tick",
//                                                 "present", "wait MS", "place NAME" (prints
//                                                 the control's rectangle on the screen),
//                                                 "focus" (prints the focused control's name),
//                                                 "client W H" (the window's client area made
//                                                 W x H), "projector" and "full-screen" (the
//                                                 picture menu's entries), "close"
//
// Prints one line per check ("ok: ..." or "FAIL: ...") and ends with "N passed, N failed";
// the exit status is 0 when nothing failed.
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "../scenarios/player.h"
#include "checks.h"
#include "core/platform/hand_clock.h"
#include "remote_app.h"
#include "win32/remote_control.h"
#include "win32/wide_text.h"

using namespace tarrowen;
using namespace tarrowen::driver;

namespace {

// The program under wine, worked from outside its process.
class RemoteWorld final : public scenarios::World {
  public:
    explicit RemoteWorld(RemoteApp& app) : app_(app) {}
    void set_clock(double seconds) override { app_.set_clock(seconds); }
    void type(layout::Id box, const std::string& text) override { app_.type(box, text); }
    void click(layout::Id button) override { app_.click(button); }
    void tick() override { app_.tick(); }
    std::string title() override { return app_.text(app_.window()); }
    std::optional<std::string> shown(layout::Id id) override {
        app_.present();
        return app_.text(id);
    }
    std::vector<std::string> take_reports() override { return app_.take_reports(); }

  private:
    RemoteApp& app_;
};

void play_scenarios(Checks& checks, const std::wstring& exe, const std::string& file) {
    for (const auto& scenario : scenarios::read_scenarios(file)) {
        RemoteApp app(exe, kHandClockStart);
        RemoteWorld world(app);
        std::string failure = scenarios::play(world, scenario);
        const int status = app.close();
        if (failure.empty() && status != 0)
            failure = "the program ended with status " + std::to_string(status);
        checks.expect(failure.empty(),
                      "scenario " + scenario.name + (failure.empty() ? "" : ": " + failure));
    }
}

// A control's rectangle on the screen, in the driver's (physical) pixels.
RECT screen_rect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

int run_steps(const std::vector<std::string>& steps) {
    RemoteApp app;
    for (const std::string& text : steps) {
        const scenarios::Step s = scenarios::split_step(text, 0);
        const std::string& verb = s[0];
        if (verb == "wait") {
            Sleep(static_cast<DWORD>(std::stoul(s[1])));
        } else if (verb == "place") {
            const RECT r = screen_rect(app.control(control_named(s[1])));
            std::printf("place %s %ld %ld %ld %ld\n", s[1].c_str(), r.left, r.top, r.right - r.left,
                        r.bottom - r.top);
        } else if (verb == "present") {
            app.present();
        } else if (verb == "client") {
            app.set_client_size(std::stoi(s[1]), std::stoi(s[2]));
        } else if (verb == "projector" || verb == "full-screen") {
            app.act(app.window(), WM_COMMAND,
                    verb == "projector" ? remote::kProjectorCommand : remote::kFullScreenCommand);
        } else if (verb == "focus") {
            const HWND f = app.focus();
            const int id = f != nullptr ? GetDlgCtrlID(f) - remote::kControlIdBase : -1;
            std::printf("focus %s\n", id >= 0 && id < layout::kControlCount
                                          ? layout::control(static_cast<layout::Id>(id)).name
                                          : "elsewhere");
        } else if (verb == "close") {
            const int status = app.close();
            std::printf("closed %d\n", status);
            if (status != 0) return 1;
        } else {
            RemoteWorld world(app);
            const std::string failure = scenarios::play_step(world, s);
            if (!failure.empty()) {
                std::printf("FAIL: %s: %s\n", text.c_str(), failure.c_str());
                return 1;
            }
        }
        const auto reports = app.take_reports();
        for (const auto& r : reports)
            std::printf("report %s\n", r.c_str());
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Rectangles in physical pixels, whatever the screen's scale.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(narrow(argv[i]));
    if (args.empty()) {
        std::fprintf(stderr, "usage: tarrowen_driver scenarios|layout|events|start|do ...\n");
        return 2;
    }
    try {
        Checks checks;
        const std::string& mode = args[0];
        if (mode == "scenarios" && args.size() == 3) {
            play_scenarios(checks, argv[2], args[2]);
        } else if (mode == "layout" && args.size() == 2) {
            check_layout(checks, argv[2]);
        } else if (mode == "events" && args.size() == 2) {
            check_readout_events(checks, argv[2]);
        } else if (mode == "start" && (args.size() == 2 || args.size() == 3)) {
            std::optional<double> hand;
            if (args.size() == 3) hand = std::stod(args[2]);
            RemoteApp app(argv[2], hand);
            std::printf("started\n");
            return 0;
        } else if (mode == "do") {
            return run_steps({args.begin() + 1, args.end()});
        } else {
            std::fprintf(stderr, "tarrowen_driver: bad arguments\n");
            return 2;
        }
        return checks.finish();
    } catch (const std::exception& e) {
        std::printf("FAIL: %s\n0 passed, 1 failed\n", e.what());
        return 1;
    }
}
