// SPDX-License-Identifier: GPL-3.0-or-later
// What the readouts tell assistive technology while the motion runs and once it stands still:
// one table of frames, each with what the front-end must be handed for the "t (sec)" box.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "core/frontend/readouts.h"
#include "recording_frontend.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

struct Frame {
    bool running;
    int focus;             // the box with the focus, -1 for none
    double now;            // s
    const char* written;   // the t readout written since the last frame, or nullptr
    const char* expected;  // what box 3 is handed at this frame, "" for nothing
};

constexpr Frame kFrames[] = {
    {true, -1, 0.0, " 1", "quiet  1"},  // running, not focused: shown, not told
    // The focus comes: the screen reader reads the box as it presents it, so the box stays
    // quiet for 3 s.
    {true, 3, 0.5, " 2", "quiet  2"},
    {true, 3, 2.0, " 3", "quiet  3"},
    {true, 3, 3.5, nullptr, "heard  3"},  // 3 s after the focus came: the value shown
    {true, 3, 3.6, " 3", ""},             // the same text again is no change
    {true, 3, 5.0, " 4", "quiet  4"},     // 1.5 s after the last: not yet
    {true, 3, 6.49, " 5", "quiet  5"},
    {true, 3, 6.5, " 6", "heard  6"},   // 3 s after the last: a new value, told at once
    {true, -1, 7.0, " 7", "quiet  7"},  // focus gone: quiet, however long since
    {true, -1, 30.0, " 8", "quiet  8"},
    {true, 3, 30.1, " 9", "quiet  9"},  // focus back after long: read with the box, quiet
    {true, 3, 33.1, nullptr, "heard  9"},
    {true, -1, 33.2, "10", "quiet 10"},
    {true, -1, 33.3, nullptr, ""},
    {false, -1, 33.4, nullptr, "heard 10"},  // stood still: the last value, once
    {false, -1, 33.5, nullptr, ""},
    {false, 3, 33.6, "11", "heard 11"},  // not running: every change is told, focused or not
    {false, -1, 33.7, "12", "heard 12"},
};

}  // namespace

TEST_CASE("a running readout is quiet unless focused, then heard every 3 s and at the stop") {
    RecordingFrontend fe;
    Readouts r(fe);
    for (const Frame& f : kFrames) {
        CAPTURE(f.now);
        fe.writes[3].clear();
        if (f.written != nullptr) r.write(3, f.written);
        r.flush(f.running, f.focus, f.now);
        const std::string got = fe.writes[3].empty() ? "" : fe.writes[3].back();
        CHECK(fe.writes[3].size() <= 1);
        CHECK(got == f.expected);
    }
}

TEST_CASE("every readout that changed quietly is heard once when the motion stops; inputs always") {
    RecordingFrontend fe;
    Readouts r(fe);
    for (int box = 3; box < kBoxCount; ++box)
        r.write(box, "x");
    r.write(0, "2.5");
    r.flush(true, 5, 10.0);
    CHECK(fe.writes[0] == std::vector<std::string>{"heard 2.5"});
    CHECK(fe.writes[4] == std::vector<std::string>{"quiet x"});
    CHECK(fe.writes[5] == std::vector<std::string>{"quiet x"});  // focus just came
    r.write(5, "y");
    r.flush(true, 5, 13.0);
    CHECK(fe.writes[5].back() == "heard y");  // focused, 3 s on
    r.flush(false, 5, 13.1);
    for (int box = 3; box < kBoxCount; ++box) {
        CAPTURE(box);
        CHECK(fe.writes[box].back() == (box == 5 ? "heard y" : "heard x"));
        // Box 5 was heard last while running, so the stop has nothing new to tell of it.
        CHECK(fe.writes[box].size() == 2u);
    }
}

// Qt's and Windows' boxes tell of the program's own writes as of the user's. Paused with no
// tick since the last frame, nothing is left to write, and each readout is heard only because
// it was shown quietly: a write taken for the user's typing would leave it unheard.
TEST_CASE("paused just after a frame, each readout is heard once with the value it shows") {
    TestProgram p;
    p.click(layout::runSImulation);
    p.screen.hand_clock.set(36001.25f);
    p.tick();
    REQUIRE(p.frame());
    p.click(layout::cmd_stop_simulation);
    REQUIRE(p.frame());
    // t = 1.25 s, theta = 2 t = 2.5 rad, R = 1; x and y floored to thousandths, theta / pi to
    // hundredths: cos 2.5 = -0.80114, sin 2.5 = 0.59847, 2.5 / pi = 0.79577.
    const char* const shown[] = {" 1.25", " 2.5", "-.802", " .598", " .79 pi"};
    for (int box = 3; box < kBoxCount; ++box) {
        CAPTURE(box);
        const std::string text = shown[box - 3];
        CHECK(p.screen.writes[static_cast<std::size_t>(box)] ==
              std::vector<std::string>{"quiet " + text, "heard " + text});
    }
}
