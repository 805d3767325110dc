// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window without widgets: the motion state, a canvas, an in-memory panel, a timer that only
// holds its settings, and a clock that the test sets by hand.

#include <QImage>
#include <QSize>

#include "platform/clock.h"
#include "platform/timer.h"
#include "sim/form.h"
#include "ui/drawing_area.h"

namespace tarrowen::testing {

class FakeClock final : public Clock {
  public:
    float now() override { return reading; }
    float reading = 36000.0f;  // 10:00
};

struct Rig {
    MotionState m;
    DrawingArea area{QSize(567, 500)};
    TextPanel panel;
    ManualTimer timer;
    FakeClock clock;
    Form form{m, area, panel, timer, clock};

    Rig() {
        // As at start-up: on, interval 0.
        timer.set_interval(0);
        timer.set_enabled(true);
        load_motion(form);
    }

    void at(float clock_reading) { clock.reading = clock_reading; }
    void run_at(float t) { at(t), runSImulation_Click(form); }
    void pause_at(float t) { at(t), cmd_stop_simulation_Click(form); }
    void restart_at(float t) { at(t), cmd_restart_Click(form); }
    void tick_at(float t) { at(t), Timer1_Timer(form); }
    std::string box(int i) const { return panel.text(i); }
    void type(int i, const std::string& text) { panel.set_text(i, text); }

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

inline constexpr std::int32_t kGreen = 65280;
inline constexpr std::int32_t kBlue = 16711680;

}  // namespace tarrowen::testing
