// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A front-end of the core's own, for tests and the fuzzer: it holds the boxes' texts as a
// window's boxes would, keeps a copy of the screen that only presented rectangles reach, and
// records every write, frame asked for, report and quit. Its timer only holds its settings
// and its clock is set by hand, so that a test says when anything happens. Given the session,
// a box tells of every change of its text, the program's own writes too, as a box of Qt or of
// Windows does (the page's tells only of what the user typed).

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/canvas/rect.h"
#include "core/frontend/frontend.h"
#include "core/frontend/session.h"
#include "core/layout/layout.h"
#include "core/motion/motion_state.h"
#include "core/platform/hand_clock.h"
#include "core/platform/timer.h"

namespace tarrowen::testing {

class RecordingFrontend final : public Frontend {
  public:
    // A write handed to a box: "quiet  1.5" or "heard  1.5".
    using Writes = std::vector<std::string>;

    RecordingFrontend() {
        for (int i = 0; i < kBoxCount; ++i)
            texts[static_cast<std::size_t>(i)] = initial_text(i);
    }

    std::string box_text(int box) const override { return texts.at(static_cast<std::size_t>(box)); }
    void set_box_text(int box, const std::string& text, bool quietly) override {
        std::string& shown = texts.at(static_cast<std::size_t>(box));
        const bool changed = shown != text;
        shown = text;
        writes[static_cast<std::size_t>(box)].push_back((quietly ? "quiet " : "heard ") + text);
        if (changed && echo_to != nullptr)
            echo_to->dispatch(Event::text_changed(layout::txt_masses(box)));
    }
    // Copies the rectangles, as a screen would; one outside the canvas is counted, not copied.
    void present(const DrawingArea& area, const RectList& changed) override {
        const std::size_t size = static_cast<std::size_t>(area.width()) * area.height();
        if (screen.size() != size || screen_width != area.width()) {
            screen.assign(size, 0);
            screen_width = area.width();
        }
        const Rect whole{0, 0, area.width(), area.height()};
        for (const Rect& r : changed) {
            presented.push_back(r);
            if (r.empty() || !whole.contains(r)) {
                ++presented_outside;
                continue;
            }
            for (int y = r.y0; y < r.y1; ++y)
                std::memcpy(&screen[row(y, area.width()) + r.x0],
                            area.pixels() + row(y, area.stride()) + r.x0,
                            sizeof(std::uint32_t) * static_cast<std::size_t>(r.width()));
        }
    }
    void request_frame() override {
        ++frames_asked;
        frame_pending = true;
    }
    void report(const std::string& message) override { reports.push_back(message); }
    void quit() override { quit_asked = true; }
    PeriodicTimer& timer() override { return manual_timer; }
    Clock& clock() override { return hand_clock; }

    // Whether the screen shows every pixel of the canvas as it is now.
    bool screen_shows(const DrawingArea& area) const {
        if (screen_width != area.width() ||
            screen.size() != static_cast<std::size_t>(area.width()) * area.height())
            return false;
        for (int y = 0; y < area.height(); ++y)
            if (std::memcmp(&screen[row(y, area.width())], area.pixels() + row(y, area.stride()),
                            sizeof(std::uint32_t) * static_cast<std::size_t>(area.width())) != 0)
                return false;
        return true;
    }

    static std::size_t row(int y, int pitch) {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch);
    }

    std::array<std::string, kBoxCount> texts;  // what each box shows
    std::array<Writes, kBoxCount> writes;      // every write handed to each box, in order
    std::vector<std::uint32_t> screen;         // the presented pixels, screen_width a row
    int screen_width = 0;
    std::vector<Rect> presented;  // every rectangle presented, in device pixels
    int presented_outside = 0;    // of them, empty or not wholly inside the canvas
    int frames_asked = 0;
    bool frame_pending = false;  // asked for and not yet delivered
    std::vector<std::string> reports;
    bool quit_asked = false;
    ManualTimer manual_timer;
    HandClock hand_clock;
    Session* echo_to = nullptr;  // told of every change of a box's text
};

// The program on the recording front-end, worked as a user and the window system work it.
struct TestProgram {
    explicit TestProgram(double pixel_ratio = 1.0, PixelFormat format = PixelFormat::Xrgb)
        : session(screen, pixel_ratio, format) {
        screen.echo_to = &session;
    }

    // The user replaces the text of box `box` (by role, kBoxOmega ...).
    void type(int box, const std::string& text) {
        screen.texts.at(static_cast<std::size_t>(box)) = text;
        session.dispatch(Event::text_changed(layout::txt_masses(box)));
    }
    void click(layout::Id id) { session.dispatch(Event::click(id)); }
    // A tick of Timer1, which the session counts only while the timer ticks.
    void tick() { session.dispatch(Event::tick()); }
    // The frame asked for comes; whether one was asked for.
    bool frame() {
        if (!screen.frame_pending) return false;
        screen.frame_pending = false;
        session.dispatch(Event::frame());
        return true;
    }
    // What box `box` shows once the screen is presented.
    const std::string& shown(int box) {
        session.present_now();
        return screen.texts.at(static_cast<std::size_t>(box));
    }

    RecordingFrontend screen;
    Session session;
};

}  // namespace tarrowen::testing
