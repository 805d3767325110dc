// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window without widgets: the motion state, a canvas, an in-memory panel, a timer that only
// holds its settings, a clock that the test sets by hand, and a report that keeps what it is
// told. The canvas is read only through its size, its scale and colour_at, so the same tests
// hold for any canvas that keeps that much.

#include <doctest/doctest.h>

#include <cstdint>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/canvas/drawing_area.h"
#include "core/motion/animation_tick.h"
#include "core/motion/form.h"
#include "core/motion/handler_error.h"
#include "core/motion/parameter_editing.h"
#include "core/motion/run_control.h"
#include "core/motion/run_handler.h"
#include "core/platform/clock.h"
#include "core/platform/error_report.h"
#include "core/platform/hand_clock.h"
#include "core/platform/timer.h"
#include "tests/core/text_panel.h"

// Failure messages name the run state and the number, not the enum's value or "{?}". doctest
// prints any enum as its value, so the run state has a toString of its own, found by ADL.
namespace tarrowen {
inline doctest::String toString(RunState s) {
    return s == RunState::Idle ? "idle" : s == RunState::Running ? "running" : "paused";
}
}  // namespace tarrowen

namespace doctest {
template <>
struct StringMaker<tarrowen::Number> {
    static String convert(const tarrowen::Number& n) { return n.describe().c_str(); }
};
}  // namespace doctest

namespace tarrowen::testing {

// A panel in memory that can be told to refuse a box, as a failing control would.
class TestPanel final : public Panel {
  public:
    std::string text(int box) const override {
        if (box == refuse_reads_of)
            throw std::runtime_error("box " + std::to_string(box) + " cannot be read");
        return texts.text(box);
    }
    void set_text(int box, const std::string& text) override {
        if (box == refuse_writes_to)
            throw std::runtime_error("box " + std::to_string(box) + " refused its text");
        texts.set_text(box, text);
    }
    int refuse_reads_of = -1;
    int refuse_writes_to = -1;
    TextPanel texts;  // what the boxes show, reachable past any refusal
};

// Keeps every report it is given.
class Reports final : public ErrorReport {
  public:
    void report(const std::string& message) override { messages.push_back(message); }
    // Every report, one a line: a single report reads as itself.
    std::string all() const {
        std::string out;
        for (const std::string& m : messages)
            out += (out.empty() ? "" : "\n") + m;
        return out;
    }
    std::vector<std::string> messages;
};

// The drawing area's size in pixels, at pixel ratio 1.
inline constexpr int kWidth = 567;
inline constexpr int kHeight = 500;
inline constexpr int kAllPixels = kWidth * kHeight;

struct Rig {
    MotionState m;
    DrawingArea area{kWidth, kHeight};
    TestPanel panel;
    ManualTimer timer;
    HandClock clock;
    Form form{m, area, panel, timer, clock};

    Rig() { load_motion(form); }

    Reports reports;
    // A handler as the window runs it: a failure is reported and leaves what the policy says.
    void handle(OnFailure on_failure, const std::function<void()>& handler) {
        run_handler(form, reports, on_failure, handler);
    }

    void at(float clock_reading) { clock.set(clock_reading); }
    void run_at(float t) { at(t), runSImulation_Click(form); }
    void pause_at(float t) { at(t), cmd_stop_simulation_Click(form); }
    void restart_at(float t) { at(t), cmd_restart_Click(form); }
    void tick_at(float t) { at(t), Timer1_Timer(form); }
    std::string box(int i) const { return panel.texts.text(i); }
    void type(int i, const std::string& text) { panel.texts.set_text(i, text); }

    // Whether any (all) of the pixels within two device pixels of (x, y), in user units, have
    // the colour.
    bool any_near(float x, float y, std::int32_t colour) const { return near(x, y, colour, false); }
    bool all_near(float x, float y, std::int32_t colour) const { return near(x, y, colour, true); }

    // Every pixel's colour value, row by row.
    std::vector<std::int32_t> pixels() const {
        std::vector<std::int32_t> out;
        out.reserve(static_cast<std::size_t>(area.width()) * area.height());
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                out.push_back(area.colour_at(x, y));
        return out;
    }

    // Pixels of the canvas in a colour value's colour.
    int count(std::int32_t colour) const {
        int n = 0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                n += area.colour_at(x, y) == colour;
        return n;
    }

  private:
    bool near(float x, float y, std::int32_t colour, bool all) const {
        const int px = static_cast<int>(x * area.width() / area.scale_width());
        const int py = static_cast<int>(y * area.height() / area.scale_height());
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const int qx = px + dx;
                const int qy = py + dy;
                if (qx < 0 || qy < 0 || qx >= area.width() || qy >= area.height()) continue;
                const bool match = area.colour_at(qx, qy) == colour;
                if (all && !match) return false;
                if (!all && match) return true;
            }
        }
        return all;
    }
};

// Plays a script such as "type 1 2.5; apply; button 5; run 100; tick 101; pause 102;
// restart 110; refuse-read 2; refuse-write 3", each handler run as the window runs it (a
// failure is reported to rig.reports). A run, pause, restart or tick without a time happens
// at the clock reading as it stands. Throws on a step it does not know, naming it.
inline void play(Rig& rig, const std::string& script) {
    std::istringstream steps(script);
    std::string step;
    while (std::getline(steps, step, ';')) {
        std::istringstream in(step);
        std::string verb;
        if (!(in >> verb)) continue;
        const auto keep = OnFailure::KeepAsItWas;
        if (verb == "run" || verb == "pause" || verb == "restart" || verb == "tick") {
            double t = 0;
            if (in >> t) rig.at(static_cast<float>(t));
        }
        int n = 0;
        if (verb == "type") {
            std::string text;
            in >> n;
            std::getline(in >> std::ws, text);
            rig.type(n, text);
        } else if (verb == "refuse-read") {
            in >> rig.panel.refuse_reads_of;
        } else if (verb == "refuse-write") {
            in >> rig.panel.refuse_writes_to;
        } else if (verb == "apply") {
            rig.handle(keep, [&] { cmd_apply_Click(rig.form); });
        } else if (verb == "button") {
            in >> n;
            rig.handle(keep, [&] { cmd_color_Click(rig.form, static_cast<std::int16_t>(n)); });
        } else if (verb == "run") {
            rig.handle(keep, [&] { runSImulation_Click(rig.form); });
        } else if (verb == "pause") {
            rig.handle(keep, [&] { cmd_stop_simulation_Click(rig.form); });
        } else if (verb == "restart") {
            rig.handle(keep, [&] { cmd_restart_Click(rig.form); });
        } else if (verb == "tick") {
            rig.handle(OnFailure::StopTheTimer, [&] { Timer1_Timer(rig.form); });
        } else {
            throw std::invalid_argument("unknown step \"" + step + "\" in \"" + script + "\"");
        }
    }
}

}  // namespace tarrowen::testing
