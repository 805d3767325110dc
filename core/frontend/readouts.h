// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's texts on their way to the front-end: inputs at once, readouts once a frame, and
// what of it is told to assistive technology.
//
// A readout shows the value of every frame. A screen reader cannot follow five values that
// change sixty times a second: it queues their events, finds its queue flooded and falls
// silent, so that a blind user can no longer reach "pause simulation". So, while the motion
// runs:
//   - a readout that does not have the keyboard focus changes quietly: shown, not announced;
//   - the readout that has the focus announces its value at most once a second (its latest
//     value, also when the value has stood still since);
//   - once the motion stands still (paused, or stopped by a failing tick), every readout that
//     changed quietly announces its value once more, so that what is heard is what is shown.
// While the motion does not run every write is announced; inputs always are.
//
// Example: running, focus on "pause simulation": 60 frames a second write boxes 3 to 7, all
// quietly. Tab to the "t (sec)" box: its next frame announces « 4.21», then one value a second
// (« 5.22», « 6.23», ...), the others stay quiet. Space on "pause simulation" (Tab back): the
// five readouts announce their last values once each.

#include <array>
#include <string>

#include "core/frontend/frontend.h"
#include "core/motion/motion_state.h"

namespace tarrowen {

class Readouts {
  public:
    explicit Readouts(Frontend& frontend);

    // The text of a box: what the last write wrote, or else what the front-end holds (typed).
    std::string text(int box) const;
    // Inputs are shown at once; readouts are kept for the next flush.
    void write(int box, const std::string& text);

    // Hands the readouts written since the last flush to the front-end, those that changed, by
    // the rule above. `running`: the motion runs; `focused_box`: the box with the keyboard focus
    // or -1; `now`: seconds on a clock that does not go back.
    void flush(bool running, int focused_box, double now);

  private:
    static constexpr double kAnnounceInterval = 1.0;  // s between the focused readout's values

    void show(int box, bool quietly, double now);

    Frontend& frontend_;
    std::array<std::string, kBoxCount> pending_{};
    std::array<bool, kBoxCount> is_pending_{};
    std::array<std::string, kBoxCount> shown_{};
    // Shown quietly since the box last announced its value.
    std::array<bool, kBoxCount> unheard_{};
    std::array<double, kBoxCount> announced_at_{};
};

}  // namespace tarrowen
