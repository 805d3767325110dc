// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/caption_sizes.h"

#include <algorithm>

namespace tarrowen::layout {

namespace {

constexpr std::array<Id, kRows> kLabels = {lbl_mass_id(0), lbl_mass_id(1), lbl_mass_id(2),
                                           lbl_mass_id(3), lbl_mass_id(4), lbl_mass_id(5),
                                           lbl_mass_id(6), lbl_mass_id(7)};
constexpr std::array<Id, kRows> kStepButtons = {cmd_color(0), cmd_color(1), cmd_color(2),
                                                cmd_color(3), cmd_color(4), cmd_color(5),
                                                cmd_color(6), cmd_color(7)};
constexpr std::array<Id, 5> kFixedButtons = {runSImulation, cmd_restart, cmd_apply,
                                             cmd_stop_simulation, cmd_exit_program};

constexpr std::array<std::span<const Id>, 7> kGroups = {std::span<const Id>(kLabels),
                                                        std::span<const Id>(kStepButtons),
                                                        std::span<const Id>(&kFixedButtons[0], 1),
                                                        std::span<const Id>(&kFixedButtons[1], 1),
                                                        std::span<const Id>(&kFixedButtons[2], 1),
                                                        std::span<const Id>(&kFixedButtons[3], 1),
                                                        std::span<const Id>(&kFixedButtons[4], 1)};

}  // namespace

std::span<const std::span<const Id>> caption_groups() {
    return kGroups;
}

double group_size(std::span<const Id> group, const FontSizes& sizes, const CaptionFits& fits) {
    double tried = sizes.largest;
    for (int k = 0;; ++k) {
        // From `largest` each time, not step by step: no error piles up over the steps.
        const double size = sizes.largest - k * sizes.step;
        if (k > 0 && (size < sizes.smallest || sizes.step <= 0)) return tried;
        tried = size;
        if (std::all_of(group.begin(), group.end(), [&](Id id) { return fits(id, size); }))
            return size;
    }
}

std::array<double, kControlCount> caption_sizes(const FontSizes& sizes, const CaptionFits& fits) {
    std::array<double, kControlCount> out{};
    for (const auto group : caption_groups()) {
        const double size = group_size(group, sizes, fits);
        for (const Id id : group)
            out[static_cast<std::size_t>(id)] = size;
    }
    return out;
}

}  // namespace tarrowen::layout
