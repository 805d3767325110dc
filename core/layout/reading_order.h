// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The order in which a screen reader meets the controls, going through the window line by
// line: the order of the focus (tab_order()), with each label of the panel just before the box
// it names, so that "ang freq" is read and then its box. Labels take no focus, so Tab moves
// exactly as tab_order() says whichever order the controls are created in.
//   Picture1, runSImulation, lbl_mass_id(0), txt_masses(0), lbl_mass_id(1), txt_masses(1), ...
//   lbl_mass_id(3), txt_masses(3), cmd_stop_simulation, ...

#include <array>

#include "core/layout/layout.h"

namespace tarrowen::layout {

const std::array<Id, kControlCount>& reading_order();

}  // namespace tarrowen::layout
