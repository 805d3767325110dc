// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A panel held in memory, for tests and benchmarks: the boxes start with their initial texts.

#include <array>
#include <string>

#include "core/motion/panel.h"

namespace tarrowen::testing {

class TextPanel final : public Panel {
  public:
    TextPanel() {
        for (int i = 0; i < kBoxes; ++i)
            texts_[static_cast<std::size_t>(i)] = initial_text(i);
    }
    std::string text(int box) const override { return texts_.at(static_cast<std::size_t>(box)); }
    void set_text(int box, const std::string& text) override {
        texts_.at(static_cast<std::size_t>(box)) = text;
    }

  private:
    std::array<std::string, kBoxes> texts_;
};

}  // namespace tarrowen::testing
