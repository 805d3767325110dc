// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colour schemes: which colour the screen shows for each colour value the program draws in.
// The handlers always draw in the program's own colours (black, blue, green, the dark purple of
// the fill at creation); the canvas applies the scheme where it turns a colour value into a
// pixel (drawing_area.h), so that nothing else knows that a scheme exists.
//
//   Screen     the program's own colours, unchanged.
//   Projector  for a lit room, where a projector shows black as the room's light: a white
//              background, the orbit and the lines in darker shades of their own hues, each at
//              least 4.5:1 against white, and the dark purple as a light one.
//
// A scheme swaps pairs of colours and leaves every other colour as it is, so it is one to one
// and its own inverse: shown_colour(shown_colour(c, s), s) == c. That is what lets the canvas
// change its scheme by rewriting the pixels it holds, with nothing kept of the colours drawn.
//   shown_colour(0, Projector) == 0xFFFFFF (black shows white), and white shows black.
//
// Colour values are red + 256 * green + 65536 * blue; bits above the low 24 are dropped.

#include <array>
#include <cstdint>
#include <utility>

namespace tarrowen {

enum class ColourScheme { Screen, Projector };

namespace colour_scheme_detail {

constexpr std::int32_t rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

// Each pair: the program's colour and the projector's. No colour is in two pairs.
inline constexpr std::array<std::pair<std::int32_t, std::int32_t>, 5> kProjectorPairs{{
    {rgb(0, 0, 0), rgb(255, 255, 255)},    // the background
    {rgb(0, 0, 255), rgb(0, 0, 160)},      // the orbit
    {rgb(0, 255, 0), rgb(0, 112, 0)},      // the lines
    {rgb(64, 0, 64), rgb(232, 208, 232)},  // the fill before the first run
    {rgb(255, 0, 0), rgb(176, 0, 0)},      // red, the palette's other colour
}};

}  // namespace colour_scheme_detail

constexpr std::int32_t shown_colour(std::int32_t colour, ColourScheme scheme) {
    const std::int32_t c = colour & 0xFFFFFF;
    if (scheme == ColourScheme::Screen) return c;
    for (const auto& [own, shown] : colour_scheme_detail::kProjectorPairs) {
        if (c == own) return shown;
        if (c == shown) return own;
    }
    return c;
}

}  // namespace tarrowen
