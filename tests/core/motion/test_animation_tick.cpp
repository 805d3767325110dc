// SPDX-License-Identifier: GPL-3.0-or-later
// The tick: readouts to the character, the precision of every product, and the picture.
#include <cmath>
#include <numbers>
#include <string>

#include "core/numbers/number_text.h"
#include "rig.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

// Boxes 3 to 7, each ending in "|".
std::string readouts(const Rig& rig) {
    std::string out;
    for (int i = kBoxTime; i <= kBoxThetaOverPi; ++i)
        out += rig.box(i) + "|";
    return out;
}

const float kCx = static_cast<float>(170.0 / 75.0);

}  // namespace

// omega, R, theta0 typed; run at clock 0 and tick at `t`: the five readouts.
TEST_CASE("tick: the readouts to the character") {
    struct Row {
        std::string name;
        std::string omega;
        std::string radius;
        std::string theta0;
        float t;
        std::string boxes;  // boxes 3 to 7
    };
    const Row rows[] = {
        {"still point at 0.29 rad, t = 0", "0", "1", "0.29", 0.0f, " 0| .28| .958| .285| .09 pi|"},
        {"still point at 0.29 rad, t = 7.5", "0", "1", "0.29", 7.5f,
         " 7.5| .28| .958| .285| .09 pi|"},
        {"start-up values after 1 s", "2", "1", "0", 1.0f, " 1| 2|-.417| .909| .63 pi|"},
        {"t is the single nearest 0.29: 100 t is exactly 29 in single", "0", "1", "0", 0.29f,
         " .29| 0| 1| 0| 0 pi|"},
        {"t is the single nearest 1.15", "0", "1", "0", 1.15f, " 1.15| 0| 1| 0| 0 pi|"},
        {"theta = pi at full precision shows 1 pi", "0", "1", "3.141592653589793", 0.0f,
         " 0| 3.14|-1| 0| 1 pi|"},
        {"theta = 3.1415925 lies below the divisor", "0", "1", "3.1415925", 0.0f,
         " 0| 3.14|-1| 0| .99 pi|"},
        {"theta = -0.001", "0", "1", "-0.001", 0.0f, " 0|-.01| .999|-.001|-.01 pi|"},
        {"theta = 1.5708: R cos floors below 0", "0", "1", "1.5708", 0.0f,
         " 0| 1.57|-.001| .999| .5 pi|"},
        {"R = 0 writes negative zero as zero", "0", "0", "2", 0.0f, " 0| 2| 0| 0| .63 pi|"},
        {"negative omega turns clockwise: theta decreases", "-1", "1", "0", 0.5f,
         " .5|-.5| .877|-.48|-.16 pi|"},
        {"the radius multiplies before the cosine", "0", "2.5", "0.5", 0.0f,
         " 0| .5| 2.193| 1.198| .15 pi|"},
        // cos 0.759761932507315 is the double nearest 0.725 (the true cosine lies 0.32 of a unit
        // in the last place above it), worked with Python's decimal module: 1000 * 0.04 is
        // exactly 40, and 40 times that double rounds to 29; 0.04 times it first gives
        // 0.028999999999999998, and 1000 times that 28.999999999999996, which floors to 28.
        {"the radius times 1000 multiplies the cosine: .029, not .028", "0", "0.04",
         "0.759761932507315", 0.0f, " 0| .75| .029| .027| .24 pi|"},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        Rig rig;
        rig.type(kBoxOmega, row.omega);
        rig.type(kBoxRadius, row.radius);
        rig.type(kBoxTheta0, row.theta0);
        rig.run_at(0.0f);
        rig.tick_at(row.t);
        CHECK(readouts(rig) == row.boxes);
        CHECK(rig.m.t_sec.kind() == Kind::Single);
        CHECK(rig.m.theta.kind() == Kind::Double);
    }
}

// After every tick theta has moved on from theta0 by omega times the clock's elapsed time (to
// the clock's spacing of 1/256 s at this time of day), and the point lies on the orbit of
// radius R round (170/75, 2) in the direction theta with y counted upwards: checked by its
// distance and its direction, not by the cosine and sine the tick takes.
TEST_CASE("tick: the point follows the clock") {
    Rig rig;
    rig.type(kBoxOmega, "1.7");
    rig.type(kBoxRadius, "1.25");
    rig.type(kBoxTheta0, "0.3");
    rig.run_at(40000.0f);
    const double cx = 2.2666666666666666;
    const double cy = 2.0;
    const double spacing = 1.0 / 256 + 1e-5;  // the reading's rounding, and 0.37f's
    for (int k = 1; k <= 200; ++k) {
        rig.tick_at(40000.0f + 0.37f * k);
        CAPTURE(k);
        const double elapsed = 0.37 * k;
        CHECK(std::fabs(rig.m.t_sec.to_double() - elapsed) <= spacing);
        const double theta = rig.m.theta.to_double();
        CHECK(std::fabs(theta - (0.3 + 1.7 * elapsed)) <= 1.7 * spacing);
        const double dx = rig.m.x_now.to_double() - cx;
        const double dy = cy - rig.m.y_now.to_double();
        CHECK(std::fabs(std::hypot(dx, dy) - 1.25) < 1e-12);
        const double off = std::remainder(std::atan2(dy, dx) - theta, 2 * std::numbers::pi);
        CHECK(std::fabs(off) < 1e-12);
    }
}

// The picture after a tick: a blue orbit, two green lines through the point, and nothing left
// of the lines of the tick before.
TEST_CASE("tick: draws the orbit and moves the lines") {
    Rig rig;
    rig.type(kBoxOmega, "1.5707963267948966");  // a quarter turn a second
    rig.run_at(0.0f);
    rig.tick_at(0.0f);                      // point at (170/75 + 1, 2)
    CHECK(rig.any_near(kCx, 1.0f, kBlue));  // top of the orbit
    CHECK(rig.any_near(kCx + 1.0f, 0.2f, kGreen));
    CHECK(rig.any_near(0.2f, 2.0f, kGreen));
    // Two whole lines: every row has the vertical one, every column the horizontal one, and
    // they share one pixel.
    const int two_lines = kWidth + kHeight - 1;
    CHECK(rig.count(kGreen) == two_lines);

    rig.tick_at(1.0f);  // a quarter turn on: the point at the top, (170/75, 1)
    // The old lines are gone outside the orbit as well as inside it.
    CHECK(rig.all_near(kCx + 1.0f, 0.2f, kBlack));
    CHECK(rig.all_near(kCx + 1.0f, 3.8f, kBlack));
    CHECK(rig.all_near(0.2f, 2.0f, kBlack));
    CHECK(rig.all_near(4.4f, 2.0f, kBlack));
    CHECK(rig.any_near(kCx, 0.2f, kGreen));
    CHECK(rig.any_near(0.2f, 1.0f, kGreen));
    CHECK(rig.count(kGreen) == two_lines);
}

// A circle from an earlier, larger radius stays: the tick never clears the area.
TEST_CASE("tick: an earlier larger orbit stays") {
    Rig rig;
    rig.type(kBoxRadius, "1.5");
    rig.run_at(0.0f);
    rig.tick_at(0.0f);
    rig.type(kBoxRadius, "0.5");
    cmd_apply_Click(rig.form);
    rig.tick_at(0.5f);
    CHECK(rig.any_near(kCx, 0.5f, kBlue));  // top of the old orbit
    CHECK(rig.any_near(kCx, 1.5f, kBlue));  // top of the new one
}

// An orbit larger than the area blanks all of it, up to the largest radius a single holds;
// only the two green lines remain.
TEST_CASE("tick: a huge orbit fills the area") {
    struct Row {
        std::string radius;
        float t;
    };
    for (const Row& row : {Row{"4", 0.3f}, Row{"3.4E38", 1.0f}}) {
        INFO("radius ", row.radius);
        Rig rig;
        rig.type(kBoxRadius, row.radius);
        rig.run_at(0.0f);
        rig.tick_at(row.t);
        CHECK(rig.count(kBlue) == 0);
        CHECK(rig.count(kBlack) + rig.count(kGreen) == kAllPixels);
    }
}

// Pause, then resume: the first tick after the resume continues the angle and time.
TEST_CASE("tick: continuity across pause and resume") {
    Rig rig;
    rig.type(kBoxOmega, "3");
    rig.run_at(50000.0f);
    rig.tick_at(50001.0f);
    CHECK(rig.m.theta.to_double() == 3.0);
    rig.pause_at(50001.0f);
    rig.restart_at(50100.0f);
    rig.tick_at(50100.0f);
    CHECK(rig.m.theta.to_double() == 3.0);
    rig.tick_at(50101.0f);
    CHECK(rig.box(kBoxTime) == " 2");
    CHECK(rig.m.theta.to_double() == 6.0);
}

TEST_CASE("tick: failures are reported in words") {
    struct Row {
        std::string name;
        std::string omega;
        std::string radius;
        float t;
        std::string message;
    };
    const Row rows[] = {
        {"radius beyond the single range", "2", "1E39", 1.0f,
         "The radius 1E+39 is too large to draw."},
        {"negative radius beyond the single range", "2", "-1E39", 1.0f,
         "The radius -1E+39 is too large to draw."},
        {"omega * t beyond the double range", "1E308", "1", 2.0f,
         "The angle theta0 + omega * t cannot be computed: the angular frequency 1E+308 is too "
         "large."},
    };
    for (const Row& row : rows) {
        INFO(row.name);
        Rig rig;
        rig.type(kBoxOmega, row.omega);
        rig.type(kBoxRadius, row.radius);
        rig.run_at(0.0f);
        CHECK_THROWS_WITH_AS(rig.tick_at(row.t), row.message.c_str(), HandlerError);
        CHECK(rig.box(kBoxOmega) == row.omega);
        CHECK(rig.box(kBoxRadius) == row.radius);
    }
}
