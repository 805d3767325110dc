// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size in which each caption is set. Captions are drawn whole: wrapped at word boundaries
// where a control is too narrow, and only where even that does not fit, smaller. Captions that
// are read together share a size:
//   - the labels' column (lbl_mass_id 0 to 7),
//   - the step buttons' column (cmd_color 0 to 7),
//   - each of the other buttons alone.
// A group takes the largest size at which every one of its captions fits whole, never below
// the smallest caption size.
//
// Sizes are in the front-end's own unit (points, pixels), which it names with FontSizes; the
// front-end answers only whether a text fits its control at a size, by measuring it.
//
// Example: a default font of 9 points in steps of half a point, the floor 5.25 points; the
// step buttons' captions fit at 7 points but "increment 1.000" not at 7.5: every step button
// takes 7 points, and each fixed button its own size.

#include <array>
#include <functional>
#include <span>

#include "core/layout/layout.h"

namespace tarrowen::layout {

// The smallest caption, in pixels at 96 dots per inch; times `scale` on a device of `scale`
// device pixels per 96-dpi pixel (core/layout/device_pixels.h).
inline constexpr double kSmallestCaptionPixels = 7;
constexpr double smallest_caption(double scale) {
    return kSmallestCaptionPixels * scale;
}

// The groups of controls whose captions share a size (above), the fixed buttons one a group.
std::span<const std::span<const Id>> caption_groups();

// The sizes a front-end can set: `largest` (its default font), then downward in steps of
// `step`, none below `smallest` (smallest_caption() in the front-end's unit).
struct FontSizes {
    double largest;
    double step;
    double smallest;
};

// Whether the caption of control `id` fits its control whole at `size`.
using CaptionFits = std::function<bool(Id id, double size)>;

// The first of largest, largest - step, largest - 2 step, ... at which every caption of `group`
// fits; where none at or above `smallest` does, the last of them tried (the smallest allowed,
// or `largest` when that is already below it).
double group_size(std::span<const Id> group, const FontSizes& sizes, const CaptionFits& fits);

// Every control's caption size by its group; 0 for controls without a caption.
std::array<double, kControlCount> caption_sizes(const FontSizes& sizes, const CaptionFits& fits);

}  // namespace tarrowen::layout
