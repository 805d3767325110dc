// SPDX-License-Identifier: GPL-3.0-or-later
// Any sequence of what a user and a window system do, dispatched to a session on the core's
// own test front-end: clicks on any control, texts typed into any box (huge ones, «NaN»,
// «1E400», exponents, blanks, bytes that are no ASCII), ticks with the clock moved by any
// amount (backwards, across midnight, days at once), the frames asked for, changes of pixel
// ratio and moves of the focus. Traps on any broken promise:
// - nothing escapes a dispatch;
// - an event is reported at most once;
// - every rectangle presented lies inside the canvas, and once a frame has been presented the
//   screen shows the canvas pixel for pixel;
// - while the motion is paused nothing changes: the canvas's pixels and the readouts (boxes 3
//   to 7, as the motion last wrote them) stay as they were at the pause, until Run or Restart
//   resumes it. Apply writes box 2 and draws nothing; buttons 0 to 3 wipe the area, so the
//   pixels are taken again after them; buttons 4 to 7 change nothing there. A new pixel ratio
//   draws the picture again at the new resolution, and what the user types into a readout box
//   is the user's: the pixels, or that box, are taken again then.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/layout/layout.h"
#include "core/motion/run_control.h"
#include "tests/core/frontend/recording_frontend.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

// TARROWEN_FUZZ_TRACE=1 prints every event, to read what an input does.
const bool kTrace = std::getenv("TARROWEN_FUZZ_TRACE") != nullptr;

void trace(const std::string& what) {
    if (kTrace) std::fprintf(stderr, "%s\n", what.c_str());
}

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        __builtin_trap();
    }
}

const char* const kHostileTexts[] = {
    "",
    " ",
    "1E400",
    "-1E400",
    "1E308",
    "-2E308",
    "1E39",
    "1E-400",
    "NaN",
    "nan",
    "-nan",
    "Inf",
    "-Infinity",
    "1.#INF",
    "1e",
    "1E+",
    "E5",
    "1D300",
    "&H7FFF",
    "&HFFFF",
    "&O777",
    "&HFFFFFFFF",
    "0x10",
    "1,5",
    "1.2.3",
    ".",
    "-",
    "+.5",
    "  12  ",
    "\t3\n",
    "3.4028235E38",
    "3.4028236E38",
    "4.9E-324",
    "2.4703282292062328E-324",
    "1.7976931348623157E308",
    "32767",
    "32768",
    "-32769",
    "2147483648",
    "\xc3\xa9",
    "\xff\xfe",
    "\xe2\x88\x9e",
    "12\xc2\xa0",
    "0.1",
    "-0.001",
    "1000000000000000000000",
    "6.283185307179586",
    "3.1415926",
};

// A text for a box: a hostile one, bytes of the input, or a very long number.
std::string typed_text(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return in.PickValueInArray(kHostileTexts);
        case 1:
            return in.ConsumeRandomLengthString(64);
        case 2: {
            const std::size_t digits = in.ConsumeIntegralInRange<std::size_t>(300, 100000);
            std::string s(digits, in.ConsumeBool() ? '9' : '0');
            if (in.ConsumeBool()) s.insert(0, "0.");
            if (in.ConsumeBool()) s += "1E-300";
            return s;
        }
        default:
            return std::to_string(in.ConsumeFloatingPoint<double>());
    }
}

// How far the clock moves before a tick, in seconds.
double clock_move(FuzzedDataProvider& in) {
    constexpr double kDay = 86400.0;
    const double kMoves[] = {0.001, 0.0005, 0.016,           1,    2.5,       -0.001,    -1, -3600,
                             kDay,  -kDay,  3 * kDay + 0.25, 1e-9, 12345.678, 400 * kDay};
    if (in.ConsumeBool()) return in.PickValueInArray(kMoves);
    // Any amount up to ten thousand days either way.
    return in.ConsumeFloatingPointInRange(-1e4 * kDay, 1e4 * kDay);
}

double pixel_ratio(FuzzedDataProvider& in) {
    const double kRatios[] = {1,
                              1.25,
                              1.5,
                              1.75,
                              2,
                              2.5,
                              3,
                              0.5,
                              0,
                              -1,
                              std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()};
    return in.PickValueInArray(kRatios);
}

// What must not change while the motion is paused.
struct PausedPicture {
    std::vector<std::uint32_t> pixels;
    std::array<std::string, kBoxCount> readouts;
};

std::vector<std::uint32_t> pixels_of(const DrawingArea& area) {
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(area.width()) * area.height());
    for (int y = 0; y < area.height(); ++y) {
        const std::uint32_t* row = area.pixels() + static_cast<std::size_t>(y) * area.stride();
        out.insert(out.end(), row, row + area.width());
    }
    return out;
}

bool same_pixels(const DrawingArea& area, const std::vector<std::uint32_t>& pixels) {
    const auto w = static_cast<std::size_t>(area.width());
    if (pixels.size() != w * area.height()) return false;
    for (int y = 0; y < area.height(); ++y) {
        const std::uint32_t* row = area.pixels() + static_cast<std::size_t>(y) * area.stride();
        if (std::memcmp(row, &pixels[static_cast<std::size_t>(y) * w], w * sizeof *row) != 0)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    TestProgram program;
    RecordingFrontend& screen = program.screen;
    Session& session = program.session;
    const Panel& panel = session.form().txt_masses;

    bool paused = false;
    PausedPicture at_pause;
    const auto readout_texts = [&panel] {
        std::array<std::string, kBoxCount> r;
        for (int box = kInputBoxes; box < kBoxCount; ++box)
            r[static_cast<std::size_t>(box)] = panel.text(box);
        return r;
    };

    for (int events = 0; events < 200 && in.remaining_bytes() > 0 && !screen.quit_asked; ++events) {
        const std::size_t reports_before = screen.reports.size();
        bool retake_pixels = false;
        int retake_box = -1;
        bool framed = false;
        try {
            switch (in.ConsumeIntegralInRange(0, 6)) {
                case 0: {
                    const auto id = static_cast<layout::Id>(
                        in.ConsumeIntegralInRange<int>(0, layout::kControlCount - 1));
                    // Buttons 0 to 3 wipe the area in every state.
                    retake_pixels = id >= layout::cmd_color(0) && id <= layout::cmd_color(3);
                    trace(std::string("click ") + layout::control(id).name);
                    program.click(id);
                    break;
                }
                case 1: {
                    const int box = in.ConsumeIntegralInRange(0, kBoxCount - 1);
                    if (box >= kInputBoxes) retake_box = box;
                    const std::string text = typed_text(in);
                    trace("type " + std::to_string(box) + " \"" + text.substr(0, 40) + "\"");
                    program.type(box, text);
                    break;
                }
                case 2: {
                    const double by = clock_move(in);
                    trace("tick after " + std::to_string(by) + " s");
                    screen.hand_clock.advance(by);
                    program.tick();
                    break;
                }
                case 3:
                    framed = program.frame();
                    trace(framed ? "frame" : "no frame asked for");
                    break;
                case 4: {
                    retake_pixels = true;
                    const double ratio = pixel_ratio(in);
                    trace("pixel ratio " + std::to_string(ratio));
                    session.set_pixel_ratio(ratio);
                    break;
                }
                case 5: {
                    const int id = in.ConsumeIntegralInRange<int>(0, layout::kControlCount);
                    trace("focus " + std::to_string(id));
                    session.set_focus(static_cast<layout::Id>(id));
                    break;
                }
                default: {
                    // The clock moves between events without a tick: a Run, pause or Restart
                    // then reads it.
                    const double by = clock_move(in);
                    trace("clock moves " + std::to_string(by) + " s");
                    screen.hand_clock.advance(by);
                    break;
                }
            }
        } catch (...) {
            check(false, "something escaped a dispatch");
        }
        check(screen.reports.size() - reports_before <= 1, "more than one report for an event");
        check(screen.presented_outside == 0, "a rectangle presented outside the canvas");
        if (framed) check(screen.screen_shows(session.drawing_area()), "the screen is stale");

        const bool now_paused = run_state(session.form()) == RunState::Paused;
        const DrawingArea& area = session.drawing_area();
        if (now_paused && paused) {
            if (retake_pixels) at_pause.pixels = pixels_of(area);
            if (retake_box >= 0)
                at_pause.readouts[static_cast<std::size_t>(retake_box)] = panel.text(retake_box);
            check(same_pixels(area, at_pause.pixels), "the picture changed while paused");
            check(readout_texts() == at_pause.readouts, "a readout changed while paused");
        } else if (now_paused) {
            at_pause = {pixels_of(area), readout_texts()};
        }
        paused = now_paused;
    }
    return 0;
}
