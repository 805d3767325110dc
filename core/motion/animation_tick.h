// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The animation tick: the point moved to where the clock says, drawn, and reported in boxes 3
// to 7.

#include "core/motion/form.h"

namespace tarrowen {

// The constant divisor of the theta/pi readout: 3.1415926, not full-precision pi.
inline constexpr double kReadoutPi = 3.1415926;

void Timer1_Timer(Form& f);

}  // namespace tarrowen
