// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The role of each text box of the panel, by its index (the row it stands in), and the text it
// holds at start-up.

#include "core/layout/layout.h"

namespace tarrowen {

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

}  // namespace tarrowen
