// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas, which repaints only what changes, against the reference canvas, which decides
// every pixel from the definitions: random sequences of every call, and the tick's own
// sequence, compared pixel for pixel after every call. After every call, too, each pixel that
// changed must lie in the rectangles the canvas reports as changed, and a call that changed
// nothing must report nothing. Last, the picture drawn afresh after a change of pixel ratio
// against a run started afresh at the new ratio.
#include <doctest/doctest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/canvas/drawing_area.h"
#include "core/motion/animation_tick.h"
#include "core/motion/form.h"
#include "core/motion/motion_picture.h"
#include "core/motion/parameter_editing.h"
#include "core/motion/redraw_motion.h"
#include "core/motion/run_control.h"
#include "core/platform/hand_clock.h"
#include "reference_canvas.h"
#include "split_mix.h"
#include "tests/core/text_panel.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

constexpr int kLogicalWidth = 567;
constexpr int kLogicalHeight = 500;
const float kCx = static_cast<float>(kCenterX);
const float kWidth = static_cast<float>(kScaleWidth);

std::string text(const char* format, double a, double b = 0, double c = 0, double d = 0) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    return buffer;
}

const std::uint32_t* row_of(const DrawingArea& a, int y) {
    return a.pixels() + static_cast<std::ptrdiff_t>(y) * a.stride();
}
const std::uint32_t* row_of(const ReferenceCanvas& r, int y) {
    return r.row(y);
}
std::size_t row_bytes(int width) {
    return static_cast<std::size_t>(width) * sizeof(std::uint32_t);
}

// A pixel of the reference, drawn in the program's colours, as the projector shows it: black,
// blue, green, the fill's purple and red each swapped with its projector colour (colour values,
// red low), every other colour kept.
std::uint32_t on_projector(std::uint32_t pixel, bool xbgr) {
    constexpr std::int32_t kSwaps[][2] = {{0x000000, 0xFFFFFF},
                                          {0xFF0000, 0xA00000},
                                          {0x00FF00, 0x007000},
                                          {0x400040, 0xE8D0E8},
                                          {0x0000FF, 0x0000B0}};
    const auto flip = [xbgr](std::uint32_t v) {  // colour value <-> pixel, either way
        return xbgr ? v : (v & 0xFFu) << 16 | (v & 0xFF00u) | (v >> 16 & 0xFFu);
    };
    const auto colour = static_cast<std::int32_t>(flip(pixel & 0xFFFFFFu));
    for (const auto& swap : kSwaps) {
        if (colour == swap[0] || colour == swap[1])
            return 0xFF000000u | flip(static_cast<std::uint32_t>(swap[colour == swap[0] ? 1 : 0]));
    }
    return pixel;
}

void toggle_scheme(DrawingArea& a) {
    const bool screen = a.colour_scheme() == ColourScheme::Screen;
    a.set_colour_scheme(screen ? ColourScheme::Projector : ColourScheme::Screen);
}

// Where two pictures first differ; empty when they agree. With `projector`, b is drawn in the
// program's colours and a must show them as the projector does.
template <typename Other>
std::string difference(const DrawingArea& a, const Other& b, bool projector = false) {
    if (a.width() != b.width() || a.height() != b.height()) return "the sizes differ";
    for (int y = 0; y < a.height(); ++y) {
        const std::uint32_t* p = row_of(a, y);
        const std::uint32_t* q = row_of(b, y);
        if (!projector && std::memcmp(p, q, row_bytes(a.width())) == 0) continue;
        const bool xbgr = a.format() == PixelFormat::Xbgr;
        const auto wanted = [&](int x) { return projector ? on_projector(q[x], xbgr) : q[x]; };
        int x = 0;
        while (x < a.width() && p[x] == wanted(x))
            ++x;
        if (x == a.width()) continue;
        char where[80];
        std::snprintf(where, sizeof where, "pixel (%d, %d) is %08x, not %08x", x, y,
                      static_cast<unsigned>(p[x]), static_cast<unsigned>(wanted(x)));
        return where;
    }
    return {};
}

// The canvas and the reference side by side: every call goes to both, then the pictures must
// agree, the changed rectangles must hold every pixel that changed, and be empty when none did.
class Twins {
  public:
    // `one_primitive`: each call is one primitive. A tick is five, which can change pixels and
    // change them back.
    Twins(DrawingArea& area, ReferenceCanvas& ref, bool one_primitive = true)
        : area_(area), ref_(ref), one_primitive_(one_primitive) {}

    template <typename OnArea, typename OnRef>
    std::string call(OnArea on_area, OnRef on_ref) {
        const int w = area_.width();
        const int h = area_.height();
        before_.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
        for (int y = 0; y < h; ++y)
            std::memcpy(&before_[static_cast<std::size_t>(y * w)], row_of(area_, y), row_bytes(w));
        on_area();
        on_ref();
        const RectList changed = area_.take_changed();
        const bool projector = area_.colour_scheme() == ColourScheme::Projector;
        if (std::string d = difference(area_, ref_, projector); !d.empty()) {
            return "reference: " + d;
        }
        const auto reported = [&changed](int x, int y) {
            for (const Rect& r : changed) {
                if (r.contains(x, y)) return true;
            }
            return false;
        };
        if (area_.width() != w || area_.height() != h) {
            const Rect all{0, 0, area_.width(), area_.height()};
            for (const Rect& r : changed) {
                if (r.contains(all)) return {};
            }
            return "resized, but not all of it reported";
        }
        bool any = false;
        for (int y = 0; y < h; ++y) {
            const std::uint32_t* now = row_of(area_, y);
            const std::uint32_t* was = &before_[static_cast<std::size_t>(y * w)];
            if (std::memcmp(now, was, row_bytes(w)) == 0) continue;
            any = true;
            for (int x = 0; x < w; ++x) {
                if (now[x] != was[x] && !reported(x, y)) {
                    return text("(%g, %g) changed outside the changed rectangles", x, y);
                }
            }
        }
        if (!any && !changed.empty() && one_primitive_) return "no change, yet a changed rectangle";
        return {};
    }
    DrawingArea& area() { return area_; }
    ReferenceCanvas& ref() { return ref_; }
    // A call that both canvases have.
    template <typename Call>
    std::string call(Call c) {
        return call([&] { c(area_); }, [&] { c(ref_); });
    }

  private:
    DrawingArea& area_;
    ReferenceCanvas& ref_;
    bool one_primitive_;
    std::vector<std::uint32_t> before_;  // kept between calls: a fresh copy each time costs
};

struct Circle {
    float x, y, r;
    std::optional<std::int32_t> colour;
};

// Weights of the kinds of call: the same circle, another circle, an axis-parallel line, a
// slanted line, fill colour, background, wipe, pixel ratio, colour scheme (which the reference
// does not have: it draws in the program's colours, and the pictures are compared as the
// scheme shows them).
using Mix = std::array<int, 9>;

// Random calls from a mix of kinds. Circles repeat: most draw one of the last few again, as the
// tick draws its orbit, with lines across it in between; lines often return to a recent place,
// as an erasing line does.
class RandomCalls {
  public:
    RandomCalls(std::uint64_t seed, const Mix& mix) : rng_(seed), mix_(mix) {}

    std::string next(Twins& t, std::string& what) {
        int total = 0;
        for (int m : mix_)
            total += m;
        int pick = rng_.below(total);
        std::size_t kind = 0;
        while (pick >= mix_[kind])
            pick -= mix_[kind++];
        if (kind <= 1) {
            if (kind == 1 || circles_.empty()) circles_.insert(circles_.begin(), new_circle());
            if (circles_.size() > 4) circles_.pop_back();
            Circle& c = circles_[rng_.chance(75) ? 0 : pick_of(circles_.size())];
            if (rng_.chance(10))
                c.colour = rng_.chance(20) ? std::nullopt : std::optional(colour());
            what = text("circle(%.9g, %.9g, %.9g)", c.x, c.y, c.r);
            return t.call([&](auto& canvas) { canvas.circle(c.x, c.y, c.r, c.colour); });
        }
        if (kind == 2) {  // axis-parallel, mostly across the area
            const float v = place();
            const bool across = rng_.chance(80);
            const float a = across ? 0 : coord(), b = across ? 5 : coord();
            const std::int32_t k = rng_.chance(45) ? 0 : rng_.chance(80) ? 65280 : colour();
            const bool down = rng_.chance(50);
            what =
                text(down ? "line x = %.9g from %.9g to %.9g" : "line y = %.9g from %.9g to %.9g",
                     v, a, b);
            return t.call([&](auto& c) { down ? c.line(v, a, v, b, k) : c.line(a, v, b, v, k); });
        }
        if (kind == 3) {  // slanted
            const float x1 = coord(), y1 = coord(), x2 = coord(), y2 = coord();
            const std::int32_t k = colour();
            what = text("line (%.9g, %.9g)-(%.9g, %.9g)", x1, y1, x2, y2);
            return t.call([&](auto& canvas) { canvas.line(x1, y1, x2, y2, k); });
        }
        const std::int32_t k = rng_.chance(50) ? 0 : colour();
        const double ratio = std::array{1.0, 1.25, 1.5, 2.0}[pick_of(4)];
        what = text("kind %g, colour %g, ratio %g", static_cast<double>(kind), k, ratio);
        switch (kind) {
            case 4:
                return t.call([&](auto& canvas) { canvas.set_fill_colour(k); });
            case 5:
                return t.call([&](auto& canvas) { canvas.set_background_colour(k); });
            case 6:
                return t.call([&] { wipe_drawing_area(t.area()); },
                              [&] { t.ref().circle(kCx, 2, 6); });
            case 8:
                return t.call([&] { toggle_scheme(t.area()); }, [] {});
            default:
                return t.call([&](auto& canvas) { canvas.set_device_pixel_ratio(ratio); });
        }
    }

  private:
    std::size_t pick_of(std::size_t n) {
        return static_cast<std::size_t>(rng_.below(static_cast<int>(n)));
    }
    float uniform(double lo, double hi) { return static_cast<float>(rng_.uniform(lo, hi)); }
    std::int32_t colour() {
        if (rng_.chance(10)) return rng_.below(1 << 24);
        return std::array<std::int32_t, 5>{0, 65280, 16711680, kFillAtCreation, 255}[pick_of(5)];
    }
    // Mostly in or near the area; now and then on an edge, far away, or near the single range.
    float coord() {
        switch (rng_.below(10)) {
            case 0:
                return std::array{0.0f, kWidth, 4.0f, -0.001f, 5.0f}[pick_of(5)];
            case 1:
                return uniform(-1e6, 1e6);
            case 2:
                return uniform(-3e38, 3e38);
            default:
                return uniform(-1.0, 5.5);
        }
    }
    float place() {
        if (places_.size() > 1 && rng_.chance(60)) return places_[pick_of(places_.size())];
        places_.insert(places_.begin(), coord());
        if (places_.size() > 6) places_.pop_back();
        return places_.front();
    }
    Circle new_circle() {
        const std::optional<std::int32_t> k =
            rng_.chance(10) ? std::nullopt : std::optional(colour());
        if (rng_.chance(15)) {
            // Centre far off one side, reaching into the area by up to 5 units, or missing it.
            const double d = std::array{1e3, 1e5, 1e7}[pick_of(3)] * (rng_.chance(50) ? 1 : -1);
            const bool across = rng_.chance(50);
            return {static_cast<float>(kCenterX + (across ? d : 0)),
                    static_cast<float>(2 + (across ? 0 : d)),
                    uniform(-3, 5) + static_cast<float>(std::fabs(d)), k};
        }
        if (rng_.chance(10)) {
            // Anywhere near the area, through or just round its farthest corner: where
            // covering begins.
            const float x = uniform(-0.5, kScaleWidth + 0.5);
            const float y = uniform(-0.5, 4.5);
            const double far =
                std::hypot(std::max<double>(x, kScaleWidth - x), std::max<double>(y, 4.0 - y));
            return {x, y, static_cast<float>(far + rng_.uniform(-0.01, 0.02)), k};
        }
        // Radius 0, negative, below a pixel, cut by the edges, through the corners (3.023
        // units from the centre), covering the area, the single range, and most often an orbit
        // inside the area.
        const std::array radii{0.0f,
                               -uniform(0, 3),
                               uniform(0, 0.02f),
                               uniform(2, 3.1),
                               uniform(3.01, 3.04),
                               uniform(3, 8),
                               uniform(0, 3e38),
                               uniform(0, 2),
                               uniform(0, 2),
                               uniform(0, 2)};
        const float r = radii[pick_of(radii.size())];
        return rng_.chance(60) ? Circle{kCx, 2.0f, r, k} : Circle{coord(), coord(), r, k};
    }

    SplitMix rng_;
    Mix mix_;
    std::vector<Circle> circles_;
    std::vector<float> places_;
};

// The handlers' world without widgets: the motion state, the canvas, an in-memory panel, a
// timer that only holds its settings and a clock set by hand.
struct Window {
    MotionState m;
    DrawingArea area;
    TextPanel panel;
    ManualTimer timer;
    HandClock clock;
    Form form{m, area, panel, timer, clock};

    Window(double ratio, PixelFormat format) : area(kLogicalWidth, kLogicalHeight, ratio, format) {
        load_motion(form);
    }
    void type(int box, const std::string& t) { panel.set_text(box, t); }
    void run_at(float t) { clock.set(t), runSImulation_Click(form); }
    void tick_at(float t) { clock.set(t), Timer1_Timer(form); }
    void pause_at(float t) { clock.set(t), cmd_stop_simulation_Click(form); }
};

}  // namespace

TEST_CASE("random calls agree with the reference, and report what they change") {
    struct Row {
        const char* name;
        std::uint64_t seed;
        double ratio;
        int calls;
        Mix mix;
        PixelFormat format;
        float scale_width = kWidth;  // units across; 4 down
    };
    const Mix orbit{30, 2, 60, 0, 2, 1, 1, 0};
    const Mix slanted{25, 2, 25, 25, 2, 1, 1, 0};
    const Mix every{20, 10, 20, 10, 5, 5, 5, 3};
    const Mix switching{30, 2, 60, 0, 2, 1, 1, 0, 3};
    const Mix every_and_switching{20, 10, 20, 10, 5, 5, 5, 3, 4};
    const Row rows[] = {
        {"an orbit and lines across it", 1, 1.0, 3000, orbit, PixelFormat::Xrgb},
        {"an orbit and lines at 200 %", 2, 2.0, 1500, orbit, PixelFormat::Xbgr},
        {"an orbit and lines at 150 %", 3, 1.5, 1500, orbit, PixelFormat::Xrgb},
        {"slanted lines", 4, 1.0, 1500, slanted, PixelFormat::Xrgb},
        {"slanted lines at 200 %", 7, 2.0, 600, slanted, PixelFormat::Xbgr},
        {"every kind", 5, 1.0, 2500, every, PixelFormat::Xbgr},
        {"colours", 6, 1.25, 1500, {25, 5, 25, 5, 20, 10, 5, 2}, PixelFormat::Xrgb},
        // Circles as thin ellipses, one radius below a pixel where the other is not.
        {"a scale squeezed across", 8, 1.0, 1000, every, PixelFormat::Xrgb, 300.0f},
        {"a scale stretched across", 9, 2.0, 600, every, PixelFormat::Xrgb, 0.04f},
        // The colour scheme switched now and then, between the orbit's repairs and the lines
        // passing over the rows known to hold their colour.
        {"projector colours, an orbit and lines", 21, 1.0, 2000, switching, PixelFormat::Xrgb},
        {"projector colours at 200 %", 22, 2.0, 800, switching, PixelFormat::Xbgr},
        {"projector colours, every kind", 23, 1.25, 1500, every_and_switching, PixelFormat::Xbgr},
    };
    for (const Row& row : rows) {
        INFO(std::string(row.name));
        DrawingArea area(kLogicalWidth, kLogicalHeight, row.ratio, row.format);
        ReferenceCanvas ref(kLogicalWidth, kLogicalHeight, row.ratio,
                            row.format == PixelFormat::Xbgr);
        area.set_user_scale(4.0f, row.scale_width);
        ref.set_user_scale(4.0f, row.scale_width);
        area.take_changed();
        Twins twins(area, ref);
        RandomCalls random(row.seed, row.mix);
        for (int i = 0; i < row.calls; ++i) {
            std::string what;
            const std::string wrong = random.next(twins, what);
            REQUIRE_MESSAGE(wrong.empty(), i << ", " << what << ": " << wrong);
        }
    }
}

// The handlers themselves on a canvas, against the reference drawn call by call as the tick
// draws: the orbit, the old lines in black, the new ones in green; Run clears and sets the
// fill colour black, the first four step buttons wipe.
TEST_CASE("the tick's own sequence agrees with the reference") {
    struct Row {
        const char* name;
        std::uint64_t seed;
        double ratio;
        int events;
        std::vector<std::string> radii;
        std::vector<std::string> omegas;
        PixelFormat format;
        bool switches_scheme = false;  // one event in a hundred switches the colour scheme
    };
    const std::vector<std::string> radii{"1", "0.3", "1.7", "0.9"};
    const std::vector<std::string> omegas{"2", "-3", "40", "0.5"};
    const Row rows[] = {
        {"unit orbit, R and omega changing", 11, 1.0, 2000, radii, omegas, PixelFormat::Xrgb},
        {"the same at 200 %", 12, 2.0, 1000, radii, omegas, PixelFormat::Xbgr},
        {"cut, covering, a dot, negative",
         13,
         1.0,
         1500,
         {"2.9", "3.1", "12", "0", "-1.5"},
         {"7", "-1", "300"},
         PixelFormat::Xrgb},
        {"fast and slow at 150 %",
         14,
         1.5,
         1000,
         {"1.2", "2.2", "4"},
         {"1000", "0.01", "-25"},
         PixelFormat::Xrgb},
        {"colour scheme switched while running", 15, 1.0, 2000, radii, omegas, PixelFormat::Xrgb,
         true},
        {"the same at 200 %, covering",
         16,
         2.0,
         1000,
         {"1", "3.1", "0.2"},
         omegas,
         PixelFormat::Xbgr,
         true},
    };
    for (const Row& row : rows) {
        INFO(std::string(row.name));
        Window win(row.ratio, row.format);
        win.area.take_changed();
        ReferenceCanvas ref(kLogicalWidth, kLogicalHeight, row.ratio,
                            row.format == PixelFormat::Xbgr);
        ref.set_user_scale(4.0f, kWidth);
        Twins twins(win.area, ref, false);
        SplitMix rng(row.seed);
        double clock = 100.0;
        const auto pick = [&rng](const std::vector<std::string>& l) {
            return l[static_cast<std::size_t>(rng.below(static_cast<int>(l.size())))];
        };
        const auto run = [&] {
            return twins.call([&] { win.run_at(static_cast<float>(clock)); },
                              [&] { ref.set_background_colour(0), ref.set_fill_colour(0); });
        };
        win.type(kBoxOmega, pick(row.omegas));
        win.type(kBoxRadius, pick(row.radii));
        REQUIRE(run().empty());
        for (int i = 0; i < row.events; ++i) {
            const int roll = rng.below(100);
            const auto button = static_cast<std::int16_t>(rng.below(4));
            const float xp = win.m.x_prev.to_single();
            const float yp = win.m.y_prev.to_single();
            std::string wrong;
            if (roll < 4) {  // Apply a radius or an omega
                win.type(roll < 2 ? kBoxRadius : kBoxOmega,
                         pick(roll < 2 ? row.radii : row.omegas));
                wrong = twins.call([&] { cmd_apply_Click(win.form); }, [] {});
            } else if (roll == 4) {
                wrong = twins.call([&] { cmd_color_Click(win.form, button); },
                                   [&] { ref.circle(kCx, 2.0f, 6.0f); });
            } else if (roll == 5) {
                wrong = run();
            } else if (roll == 6 && row.switches_scheme) {
                wrong = twins.call([&] { toggle_scheme(win.area); }, [] {});
            } else {
                clock += 0.001 * (1 + rng.below(3));
                wrong = twins.call([&] { win.tick_at(static_cast<float>(clock)); },
                                   [&] {
                                       const float xn = win.m.x_now.to_single();
                                       const float yn = win.m.y_now.to_single();
                                       ref.circle(kCx, 2.0f, win.m.radius.to_single(), kBlue);
                                       ref.line(xp, 0, xp, 5, 0);
                                       ref.line(0, yp, 5, yp, 0);
                                       ref.line(xn, 0, xn, 5, kGreen);
                                       ref.line(0, yn, 5, yn, kGreen);
                                   });
            }
            REQUIRE_MESSAGE(wrong.empty(), "event " << i << " (" << roll << "): " << wrong);
        }
    }
}

// After a change of pixel ratio the picture holds nothing that the same motion, started afresh
// at the new ratio, would not show: the same picture as a fresh area on which the last tick is
// drawn again (unless Apply changed the radius since), and the same after the next tick. Before
// any tick the area is of one colour, and stays so.
TEST_CASE("a change of pixel ratio redraws the motion as a fresh start would") {
    struct Row {
        const char* name;
        double from, to;
        const char* radius;
        int ticks;
        const char* applied;  // radius applied after the last tick
        bool paused;
        bool wiped;  // "incr rad" pressed after the last tick
    };
    const Row rows[] = {
        {"running, 100 % to 200 %", 1.0, 2.0, "1", 300, "", false, false},
        {"running, 200 % to 100 %", 2.0, 1.0, "1", 300, "", false, false},
        {"paused, 150 % to 100 %", 1.5, 1.0, "1.3", 300, "", true, false},
        {"covering orbit", 1.0, 2.0, "4", 50, "", false, false},
        {"orbit cut by the edges", 1.25, 2.0, "2.6", 100, "", true, false},
        {"orbit made smaller by Apply", 2.0, 1.0, "2", 200, "0.5", true, false},
        {"wiped while paused", 1.0, 1.5, "1", 100, "", true, true},
        {"before the first run", 1.0, 2.0, "1", 0, "", false, false},
        {"wiped before the first run", 2.0, 1.0, "1", 0, "", false, true},
    };
    for (const Row& row : rows) {
        INFO(std::string(row.name));
        Window a(row.from, PixelFormat::Xrgb);
        a.type(kBoxRadius, row.radius);
        float clock = 100.0f;
        if (row.ticks > 0) a.run_at(clock);
        for (int i = 0; i < row.ticks; ++i)
            a.tick_at(clock += 0.002f);
        const float last = clock;
        if (row.paused) a.pause_at(last + 0.001f);
        if (*row.applied != '\0') a.type(kBoxRadius, row.applied), cmd_apply_Click(a.form);
        if (row.wiped) cmd_color_Click(a.form, 0);

        a.area.set_device_pixel_ratio(row.to);
        redraw_motion(a.form);
        if (row.ticks == 0) {  // one colour, kept
            int same = 0;
            for (int y = 0; y < a.area.height(); ++y) {
                for (int x = 0; x < a.area.width(); ++x)
                    same += a.area.colour_at(x, y) == a.area.colour_at(0, 0);
            }
            CHECK(same == a.area.width() * a.area.height());
            continue;
        }
        Window b(row.to, PixelFormat::Xrgb);
        b.m = a.m;
        b.area.set_fill_colour(a.area.fill_colour());
        if (*row.applied == '\0') {
            b.tick_at(last);
            REQUIRE_MESSAGE(difference(a.area, b.area).empty(), difference(a.area, b.area));
        }
        a.tick_at(last + 0.01f);
        b.tick_at(last + 0.01f);
        REQUIRE_MESSAGE(difference(a.area, b.area).empty(), difference(a.area, b.area));
    }
}
