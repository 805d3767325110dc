// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of the motion, held by the window for its whole life. Every field is a dynamic
// number and starts out empty.

#include <array>
#include <string>

#include "ui/dynamic_number.h"

namespace tarrowen {

struct MotionState {
    Number ang_freq;   // omega, rad/s (double once read)
    Number radius;     // R, drawing units
    Number theta0;     // phase at elapsed time 0, rad
    Number theta;      // angle of the last tick, rad (double)
    Number t_sec;      // elapsed time of the last tick, s (single)
    Number t_start;    // clock reading that counts as elapsed time 0 (single)
    Number t_pause;    // clock reading at the pause in force (single)
    Number pause_len;  // length of the last pause, s (single)
    Number step;       // step of the adjust buttons: int16 1 or double 0.1, 0.01, 0.001
    Number x_now;      // the point (double)
    Number y_now;
    Number x_prev;  // where the projection lines were last drawn (double)
    Number y_prev;
    std::array<Number, 4> palette;  // black, red, green, blue (32-bit colour values)
};

// The eight text boxes of the panel: 0 omega, 1 R, 2 theta0 (inputs), 3 t, 4 theta, 5 R cos,
// 6 R sin, 7 theta/pi (readouts). A write replaces the whole text.
class Panel {
  public:
    static constexpr int kBoxes = 8;
    virtual ~Panel() = default;
    virtual std::string text(int box) const = 0;
    virtual void set_text(int box, const std::string& text) = 0;
};

// A panel held in memory, for tests, tools and benchmarks.
class TextPanel final : public Panel {
  public:
    std::string text(int box) const override { return texts_.at(box); }
    void set_text(int box, const std::string& text) override { texts_.at(box) = text; }

  private:
    std::array<std::string, kBoxes> texts_{"2", "1", "0", "0", "0", "1", "0", "0"};
};

}  // namespace tarrowen
