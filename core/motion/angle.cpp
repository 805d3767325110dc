// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/angle.h"

#include "core/numbers/number_text.h"

namespace tarrowen {

bool angle_readouts_fit(const Number& angle) {
    try {
        (void)(Number::int16(100) * angle);
    } catch (const ArithmeticError&) {
        return false;
    }
    return true;
}

std::string angle_culprit(const Number& theta0, const Number& t, const Number& omega) {
    try {
        (void)(t * omega);
    } catch (const ArithmeticError&) {
        return "the angular frequency " + format_plain(omega);
    }
    return "the phase theta0 " + format_plain(theta0);
}

}  // namespace tarrowen
