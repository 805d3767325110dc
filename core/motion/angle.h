// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The angle theta0 + t * omega as the tick and the phase step form it, and the words for the
// user when it cannot be formed or shown.

#include <string>

#include "core/numbers/dynamic_number.h"

namespace tarrowen {

// Whether the tick can form the readouts of `angle`: 100 * theta must stay within the double
// range, which ends near 1.8E+306 rad.
bool angle_readouts_fit(const Number& angle);

// The value to name when theta0 + t * omega lies beyond the double range: "the angular
// frequency 1E+308" when t * omega alone does, else "the phase theta0 ...".
std::string angle_culprit(const Number& theta0, const Number& t, const Number& omega);

}  // namespace tarrowen
