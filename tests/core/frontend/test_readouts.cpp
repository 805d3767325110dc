// SPDX-License-Identifier: GPL-3.0-or-later
// What the readouts tell assistive technology while the motion runs and once it stands still:
// one table of frames, each with what the front-end must be handed for the "t (sec)" box.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "core/frontend/readouts.h"

using namespace tarrowen;

namespace {

// Keeps what it is handed, as "quiet  1" or "heard  1".
class Recorder final : public Frontend {
  public:
    std::string box_text(int) const override { return {}; }
    void set_box_text(int box, const std::string& text, bool quietly) override {
        calls[static_cast<std::size_t>(box)].push_back((quietly ? "quiet " : "heard ") + text);
    }
    void present(const DrawingArea&, const RectList&) override {}
    void request_frame() override {}
    void report(const std::string&) override {}
    void quit() override {}
    PeriodicTimer& timer() override { return timer_; }
    Clock& clock() override { return clock_; }

    std::vector<std::string> calls[kBoxCount];

  private:
    class StillClock final : public Clock {
        float now() override { return 0; }
    };
    ManualTimer timer_;
    StillClock clock_;
};

struct Frame {
    bool running;
    int focus;             // the box with the focus, -1 for none
    double now;            // s
    const char* written;   // the t readout written since the last frame, or nullptr
    const char* expected;  // what box 3 is handed at this frame, "" for nothing
};

constexpr Frame kFrames[] = {
    {true, -1, 0.0, " 1", "quiet  1"},    // running, not focused: shown, not told
    {true, 3, 0.5, " 2", "heard  2"},     // focused: the first value is told at once
    {true, 3, 1.0, " 3", "quiet  3"},     // half a second later: not yet
    {true, 3, 1.5, nullptr, "heard  3"},  // a second after the last: the value shown
    {true, 3, 1.6, " 3", ""},             // the same text again is no change
    {true, 3, 2.0, " 4", "quiet  4"},
    {true, -1, 3.0, " 5", "quiet  5"},  // focus gone: quiet, however long since
    {true, -1, 3.1, nullptr, ""},
    {false, -1, 3.2, nullptr, "heard  5"},  // stood still: the last value, once
    {false, -1, 3.3, nullptr, ""},
    {false, -1, 3.4, " 6", "heard  6"},  // not running: every change is told
};

}  // namespace

TEST_CASE("a running readout is quiet unless focused, then heard once a second and at the stop") {
    Recorder fe;
    Readouts r(fe);
    for (const Frame& f : kFrames) {
        CAPTURE(f.now);
        fe.calls[3].clear();
        if (f.written != nullptr) r.write(3, f.written);
        r.flush(f.running, f.focus, f.now);
        const std::string got = fe.calls[3].empty() ? "" : fe.calls[3].back();
        CHECK(fe.calls[3].size() <= 1);
        CHECK(got == f.expected);
    }
}

TEST_CASE("every readout that changed quietly is heard once when the motion stops; inputs always") {
    Recorder fe;
    Readouts r(fe);
    for (int box = 3; box < kBoxCount; ++box)
        r.write(box, "x");
    r.write(0, "2.5");
    r.flush(true, 5, 10.0);
    CHECK(fe.calls[0] == std::vector<std::string>{"heard 2.5"});
    CHECK(fe.calls[4] == std::vector<std::string>{"quiet x"});
    CHECK(fe.calls[5] == std::vector<std::string>{"heard x"});  // focused, first value
    r.flush(false, 5, 10.1);
    for (int box = 3; box < kBoxCount; ++box) {
        CAPTURE(box);
        CHECK(fe.calls[box].back() == "heard x");
        CHECK(fe.calls[box].size() == (box == 5 ? 1u : 2u));
    }
}
