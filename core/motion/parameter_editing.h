// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Parameter editing: Apply, the adjust and step buttons, and the phase kept where it was when
// the frequency changes.

#include <cstdint>

#include "core/motion/form.h"
#include "core/numbers/dynamic_number.h"

namespace tarrowen {

void cmd_apply_Click(Form& f);
void cmd_color_Click(Form& f, std::int16_t index);
void txt_masses_Change(Form& f, std::int16_t index);
// Moves theta0 so that the angle of the last tick stays where it was now that ang_freq has
// changed from `old`. An angle that cannot be computed, or is too large to go on from, is
// taken within one turn of the point's place instead, and f.note says so. Throws HandlerError,
// changing nothing, when the phase cannot be formed with the new ang_freq at all.
void adjust_phase(Form& f, const Number& old);

}  // namespace tarrowen
