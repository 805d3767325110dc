// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the input boxes.

#include <string>

#include "core/motion/form.h"

namespace tarrowen {

// The number typed into an input box (kBoxOmega, kBoxRadius or kBoxTheta0), as a double. A number
// beyond the double range throws HandlerError naming the box and quoting (the start of) what was
// typed.
Number read_input_box(const Form& f, int box);

}  // namespace tarrowen
