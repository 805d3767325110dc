// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/reading_order.h"

namespace tarrowen::layout {

const std::array<Id, kControlCount>& reading_order() {
    static const std::array<Id, kControlCount> order = [] {
        std::array<Id, kControlCount> o{};
        std::size_t n = 0;
        for (const Id id : tab_order()) {
            if (is_text_box(id)) o[n++] = lbl_mass_id(element(id));
            o[n++] = id;
        }
        return o;
    }();
    return order;
}

}  // namespace tarrowen::layout
