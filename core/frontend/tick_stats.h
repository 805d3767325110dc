// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ticks a periodic timer delivered, for measuring its rate: how many, and the seconds from
// the first to the last. A program run with the environment variable TARROWEN_TICK_STATS set
// reports them on stderr on its way out, in one line that the measuring scripts read:
//   "tarrowen: 9371 ticks in 10.002 s (936.8 per second)"
// The rate counts the intervals between ticks: n ticks over s seconds are (n - 1) / s.

#include <string>
#include <string_view>

namespace tarrowen {

class TickStats {
  public:
    // A tick delivered at `now` (seconds on a monotonic clock).
    void count(double now);
    long long ticks() const { return ticks_; }
    double seconds() const { return ticks_ > 0 ? last_ - first_ : 0; }
    double per_second() const;

    // The report: "NAME: N ticks in S s (R per second)NOTE", no line end.
    std::string line(std::string_view name, std::string_view note = {}) const;

  private:
    long long ticks_ = 0;
    double first_ = 0;
    double last_ = 0;
};

// Writes stats.line(name, note) and a line end to stderr when TARROWEN_TICK_STATS is set.
void report_tick_stats_if_asked(const TickStats& stats, std::string_view name = "tarrowen",
                                std::string_view note = {});

}  // namespace tarrowen
