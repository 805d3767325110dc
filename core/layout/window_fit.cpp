// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/window_fit.h"

#include <algorithm>

#include "core/layout/device_pixels.h"

namespace tarrowen::layout {

double fit_factor(double width, double height, double unit_scale) {
    const double start_width = to_device(kClientWidth, unit_scale);
    const double start_height = to_device(kClientHeight, unit_scale);
    return std::max(1.0, std::min(width / start_width, height / start_height));
}

Offset centring(int width, int height, double scale) {
    return {std::max(0, width - to_device(kClientWidth, scale)) / 2,
            std::max(0, height - to_device(kClientHeight, scale)) / 2};
}

std::array<Place, kControlCount> device_places(double scale, Offset offset, int canvas_width,
                                               int canvas_height) {
    std::array<Place, kControlCount> places{};
    for (int i = 0; i < kControlCount; ++i) {
        Place p = to_device(control(static_cast<Id>(i)).twips, scale);
        p.left += offset.dx;
        p.top += offset.dy;
        places[static_cast<std::size_t>(i)] = p;
    }
    places[Picture1].width = canvas_width;
    places[Picture1].height = canvas_height;
    return places;
}

}  // namespace tarrowen::layout
