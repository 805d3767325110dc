// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/frontend/tick_stats.h"

// From fmt's headers alone, as the number texts use it (the cross compilers have no fmt library).
#define FMT_HEADER_ONLY
#include <fmt/format.h>

#include <cstdio>
#include <cstdlib>

namespace tarrowen {

void TickStats::count(double now) {
    if (ticks_++ == 0) first_ = now;
    last_ = now;
}

double TickStats::per_second() const {
    const double s = seconds();
    return s > 0 ? static_cast<double>(ticks_ - 1) / s : 0.0;
}

std::string TickStats::line(std::string_view name, std::string_view note) const {
    return fmt::format("{}: {} ticks in {:.3f} s ({:.1f} per second){}", name, ticks_, seconds(),
                       per_second(), note);
}

void report_tick_stats_if_asked(const TickStats& stats, std::string_view name,
                                std::string_view note) {
    if (std::getenv("TARROWEN_TICK_STATS") == nullptr) return;
    const std::string text = stats.line(name, note) + "\n";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace tarrowen
