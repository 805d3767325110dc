// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/device_pixels.h"

#include <cmath>

namespace tarrowen::layout {

int to_device(int twips, double scale) {
    // Multiplied before dividing: a half (twips 1105 at scale 1.5 is 110.5) stays exact.
    return static_cast<int>(std::lround(static_cast<double>(twips) * scale / kTwipsPerPixel));
}

Place to_device(const Place& twips, double scale) {
    const int x = to_device(twips.left, scale);
    const int y = to_device(twips.top, scale);
    return {x, y, to_device(twips.right(), scale) - x, to_device(twips.bottom(), scale) - y};
}

}  // namespace tarrowen::layout
