// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contrast ratio of two colours as WCAG 2.x defines it, for the tests that judge the
// colours a picture shows: (L1 + 0.05) / (L2 + 0.05), L1 the lighter relative luminance.
//   white against black 21; blue RGB(0, 0, 255) against black 2.44; green RGB(0, 128, 0)
//   against white 5.14.

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tarrowen::testing {

// The relative luminance of a colour value (red + 256 * green + 65536 * blue).
inline double relative_luminance(std::int32_t colour) {
    const auto linear = [](int c8) {
        const double c = c8 / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour & 0xFF) + 0.7152 * linear((colour >> 8) & 0xFF) +
           0.0722 * linear((colour >> 16) & 0xFF);
}

inline double contrast_ratio(std::int32_t a, std::int32_t b) {
    const double la = relative_luminance(a);
    const double lb = relative_luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace tarrowen::testing
