// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user scale that the motion gives the drawing area, and the orbit's centre in it.

namespace tarrowen {

// 340/75 units across and 4 down, and the centre in the middle: 170/75 across (as a single,
// 2.2666666507720947) and 2 down.
inline constexpr double kScaleWidth = 340.0 / 75.0;
inline constexpr double kScaleHeight = 4.0;
inline constexpr double kCenterX = kScaleWidth / 2;
inline constexpr double kCenterY = kScaleHeight / 2;

}  // namespace tarrowen
