// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window without widgets: the motion state, a canvas, an in-memory panel, a timer that only
// holds its settings, a clock that the test sets by hand, and a report that keeps what it is
// told.

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/platform/clock.h"
#include "core/platform/error_report.h"
#include "core/platform/timer.h"
#include "core/motion/form.h"
#include "core/canvas/drawing_area.h"

namespace tarrowen::testing {

class FakeClock final : public Clock {
  public:
    float now() override { return reading; }
    float reading = 36000.0f;  // 10:00
};

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
    std::vector<std::string> messages;
};

struct Rig {
    MotionState m;
    DrawingArea area{QSize(567, 500)};
    TestPanel panel;
    ManualTimer timer;
    FakeClock clock;
    Form form{m, area, panel, timer, clock};

    Rig() {
        // As at start-up: on, interval 0.
        timer.set_interval(0);
        timer.set_enabled(true);
        load_motion(form);
    }

    Reports reports;
    // A handler as the window runs it: a failure is reported and leaves what the policy says.
    void handle(OnFailure on_failure, const std::function<void()>& handler) {
        run_handler(form, reports, on_failure, handler);
    }

    void at(float clock_reading) { clock.reading = clock_reading; }
    void run_at(float t) { at(t), runSImulation_Click(form); }
    void pause_at(float t) { at(t), cmd_stop_simulation_Click(form); }
    void restart_at(float t) { at(t), cmd_restart_Click(form); }
    void tick_at(float t) { at(t), Timer1_Timer(form); }
    std::string box(int i) const { return panel.texts.text(i); }
    void type(int i, const std::string& text) { panel.texts.set_text(i, text); }

    // Whether any (all) of the pixels within two device pixels of (x, y) have the colour.
    bool any_near(float x, float y, std::int32_t colour) const { return near(x, y, colour, false); }
    bool all_near(float x, float y, std::int32_t colour) const { return near(x, y, colour, true); }

    // Pixels of the canvas in a colour value's colour.
    int count(std::int32_t colour) const {
        const QRgb want = to_qrgb(colour);
        const QImage& img = area.image();
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x)
                n += (row[x] & 0xFFFFFF) == (want & 0xFFFFFF);
        }
        return n;
    }

  private:
    bool near(float x, float y, std::int32_t colour, bool all) const {
        const QImage& img = area.image();
        const int px = static_cast<int>(x * img.width() / area.scale_width());
        const int py = static_cast<int>(y * img.height() / area.scale_height());
        const QRgb want = to_qrgb(colour) & 0xFFFFFF;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const QPoint p(px + dx, py + dy);
                if (!img.rect().contains(p)) continue;
                const bool match = (img.pixel(p) & 0xFFFFFF) == want;
                if (all && !match) return false;
                if (!all && match) return true;
            }
        }
        return all;
    }
};

// Plays a script such as "type 1 2.5; apply; button 5; run 100; tick 101; pause 102;
// restart 110; refuse-read 2; refuse-write 3", each handler run as the window runs it (a
// failure is reported to rig.reports). Returns false on a step it does not know.
inline bool play(Rig& rig, const QString& script) {
    for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
        std::istringstream in(step.trimmed().toStdString());
        std::string verb;
        in >> verb;
        const auto keep = OnFailure::KeepAsItWas;
        if (verb == "run" || verb == "pause" || verb == "restart" || verb == "tick") {
            double t = 0;
            in >> t;
            rig.at(static_cast<float>(t));
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
            qWarning("unknown step %s", qPrintable(step));
            return false;
        }
    }
    return true;
}

}  // namespace tarrowen::testing
