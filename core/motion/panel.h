// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The eight text boxes of the panel as the handlers see them, by their role (box_roles.h).

#include <string>

#include "core/motion/box_roles.h"

namespace tarrowen {

// A write replaces the whole text.
class Panel {
  public:
    static constexpr int kBoxes = kBoxCount;
    virtual ~Panel() = default;
    virtual std::string text(int box) const = 0;
    virtual void set_text(int box, const std::string& text) = 0;
};

}  // namespace tarrowen
