// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of the motion, held by the window for its whole life, and the panel of eight text
// boxes that shows it. Every field of the motion is a dynamic number and starts out empty.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/canvas/drawing_area.h"
#include "core/layout/layout.h"
#include "core/numbers/dynamic_number.h"

namespace tarrowen {

// The role of each text box of the panel, by its index (the row it stands in).
inline constexpr int kBoxOmega = 0;   // input: angular frequency, rad/s
inline constexpr int kBoxRadius = 1;  // input: radius R
inline constexpr int kBoxTheta0 = 2;  // input: phase at elapsed time 0, rad
inline constexpr int kBoxTime = 3;    // readout: elapsed time t
inline constexpr int kBoxTheta = 4;   // readout: angle theta
inline constexpr int kBoxX = 5;       // readout: R cos theta
inline constexpr int kBoxY = 6;       // readout: R sin theta
inline constexpr int kBoxThetaOverPi = 7;
inline constexpr int kInputBoxes = 3;  // boxes 0 to 2 are typed into; the others are readouts
inline constexpr int kBoxCount = 8;

// The text of a box at start-up, from the layout; the motion state starts from the same values.
inline const char* initial_text(int box) {
    return layout::control(layout::txt_masses(box)).initial_text;
}

// The entries of the palette and the colour values they hold.
enum PaletteEntry : std::size_t { kPaletteBlack, kPaletteRed, kPaletteGreen, kPaletteBlue };
inline constexpr std::int32_t kRed = 255;
inline constexpr std::int32_t kGreen = 256 * 255;
inline constexpr std::int32_t kBlue = 65536 * 255;
inline constexpr std::array<std::int32_t, 4> kPaletteColours = {kBlack, kRed, kGreen, kBlue};

struct MotionState {
    Number ang_freq;   // omega, rad/s (double once read)
    Number radius;     // R, drawing units
    Number theta0;     // phase at elapsed time 0, rad
    Number theta;      // angle of the last tick, rad (double)
    Number t_sec;      // elapsed time of the last tick, s (single)
    Number t_start;    // clock reading that counts as elapsed time 0 (single, with start_day)
    Number t_pause;    // clock reading at the pause in force (single, with pause_day)
    Number pause_len;  // length of the last pause, s (single)
    Number step;       // step of the adjust buttons: int16 1 or double 0.1, 0.01, 0.001
    Number x_now;      // the point (double)
    Number y_now;
    Number x_prev;  // where the projection lines were last drawn (double)
    Number y_prev;
    std::array<Number, 4> palette;  // by PaletteEntry (32-bit colour values)
    // The days of the clock readings t_start and t_pause: the seconds of a reading stay below
    // one day's, so they keep their precision however long the program has been open.
    std::int32_t start_day = 0;
    std::int32_t pause_day = 0;
};

// The eight text boxes of the panel, by their role (kBoxOmega ...). A write replaces the whole
// text.
class Panel {
  public:
    static constexpr int kBoxes = kBoxCount;
    virtual ~Panel() = default;
    virtual std::string text(int box) const = 0;
    virtual void set_text(int box, const std::string& text) = 0;
};

// A panel held in memory, for tests, tools and benchmarks.
class TextPanel final : public Panel {
  public:
    TextPanel() {
        for (int i = 0; i < kBoxes; ++i)
            texts_[i] = initial_text(i);
    }
    std::string text(int box) const override { return texts_.at(box); }
    void set_text(int box, const std::string& text) override { texts_.at(box) = text; }

  private:
    std::array<std::string, kBoxes> texts_;
};

}  // namespace tarrowen
