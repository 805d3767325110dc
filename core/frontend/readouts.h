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
//   - the readout that has the focus announces its latest value every 3 seconds (also when the
//     value has stood still since). When the focus comes to it, the screen reader reads its
//     value as it presents the box, so the first announcement comes 3 seconds after that;
//   - once the motion stands still (paused, or stopped by a failing tick), every readout that
//     changed quietly announces its value once more, so that what is heard is what is shown.
// While the motion does not run every write is announced; inputs always are.
//
// Why 3 seconds: a screen reader queues what it is to say and says all of it (Orca hands its
// messages to speech-dispatcher, which does not drop them). At the default rate a value such
// as « 54.21» takes 1.5 s to say, « 999.99» 2.3 s, and presenting the focused box (its name,
// value and description) some 5 s. One value a second would pile up: the longer a user stays
// on the box, the older the value heard. Every 3 seconds each value is said before the next.
//
// Example: running, focus on "pause simulation": 60 frames a second write boxes 3 to 7, all
// quietly. Tab to the "t (sec)" box: the screen reader says « t (sec) text,  4.21, Readout:
// ...» and the box stays quiet; 3 s later it announces « 7.22», then « 10.23», ... ; the
// others stay quiet. Space on "pause simulation" (Tab back): the five readouts announce their
// last values once each.

#include <array>
#include <string>

#include "core/frontend/frontend.h"
#include "core/motion/box_roles.h"

namespace tarrowen {

class Readouts {
  public:
    explicit Readouts(Frontend& frontend);

    // The text of a box: what the last write wrote, or else what the front-end holds (typed).
    std::string text(int box) const;
    // Inputs are shown at once; readouts are kept for the next flush.
    void write(int box, const std::string& text);
    // The text of `box` has changed. Unless this is the box telling of the write being handed
    // to it now (Qt's and Windows' boxes tell of the program's writes too), the user changed it:
    // what it shows now is the user's, and nothing written before is shown or told over it.
    // Without this a readout written by the last tick before a pause, or told once more when
    // the motion stands still, would replace at the next frame what the user typed after it.
    void typed(int box);

    // Hands the readouts written since the last flush to the front-end, those that changed, by
    // the rule above. `running`: the motion runs; `focused_box`: the box with the keyboard focus
    // or -1; `now`: seconds on a clock that does not go back.
    void flush(bool running, int focused_box, double now);

  private:
    static constexpr double kAnnounceInterval = 3.0;  // s between the focused readout's values

    void show(int box, bool quietly, double now);
    // Hands shown_[box] to the front-end.
    void hand_over(int box, bool quietly);

    Frontend& frontend_;
    std::array<std::string, kBoxCount> pending_{};
    std::array<bool, kBoxCount> is_pending_{};
    std::array<std::string, kBoxCount> shown_{};
    // Shown quietly since the box last announced its value.
    std::array<bool, kBoxCount> unheard_{};
    std::array<double, kBoxCount> announced_at_{};
    // The box that had the focus at the last flush, -1 for none.
    int focused_box_ = -1;
    // The box being handed its text now, -1 for none.
    int writing_ = -1;
};

}  // namespace tarrowen
