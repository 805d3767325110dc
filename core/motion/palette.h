// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entries of the motion's palette and the colour values they hold (red + 256 green +
// 65536 blue).

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/canvas/drawing_area.h"

namespace tarrowen {

enum PaletteEntry : std::size_t { kPaletteBlack, kPaletteRed, kPaletteGreen, kPaletteBlue };
inline constexpr std::int32_t kRed = 255;
inline constexpr std::int32_t kGreen = 256 * 255;
inline constexpr std::int32_t kBlue = 65536 * 255;
inline constexpr std::array<std::int32_t, 4> kPaletteColours = {kBlack, kRed, kGreen, kBlue};

}  // namespace tarrowen
