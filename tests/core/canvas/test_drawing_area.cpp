// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas against worked figures and geometric properties: pixel formats, exact erasing,
// hostile coordinates, the dot, the orbit as a closed outline one logical pixel wide, the
// changed rectangles' merging. The stretch on a change of pixel ratio is checked against the
// reference canvas in test_canvas_differential.cpp.
#include <doctest/doctest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/canvas/drawing_area.h"
#include "core/motion/user_scale.h"
#include "split_mix.h"
#include "tests/contrast_ratio.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

constexpr std::int32_t kGreen = 65280;
constexpr std::int32_t kBlue = 16711680;
const float kWidth = static_cast<float>(kScaleWidth);
const float kCx = static_cast<float>(kCenterX);

DrawingArea user_area(double ratio = 1.0) {
    DrawingArea a(567, 500, ratio);
    a.set_user_scale(4.0f, kWidth);
    return a;
}

int count(const DrawingArea& a, std::int32_t colour) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            n += a.colour_at(x, y) == colour;
    }
    return n;
}

// The pixels of one colour as a rectangle; empty when there are none, and a failed check when
// they do not fill it.
Rect box_of(const DrawingArea& a, std::int32_t colour) {
    Rect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.colour_at(x, y) == colour) box = bounding(box, {x, y, x + 1, y + 1});
        }
    }
    CHECK(box.area() == count(a, colour));
    return box;
}

}  // namespace

TEST_CASE("colours are stored in the front-end's pixel format") {
    struct Row {
        std::int32_t colour;
        std::uint32_t xrgb;
        std::uint32_t xbgr;
    };
    const Row rows[] = {
        {0, 0xFF000000, 0xFF000000},          {255, 0xFFFF0000, 0xFF0000FF},
        {65280, 0xFF00FF00, 0xFF00FF00},      {16711680, 0xFF0000FF, 0xFFFF0000},
        {0x123456, 0xFF563412, 0xFF123456},   {kFillAtCreation, 0xFF400040, 0xFF400040},
        {0x7F123456, 0xFF563412, 0xFF123456},  // above 24 bits: dropped
    };
    for (const Row& row : rows) {
        CAPTURE(row.colour);
        DrawingArea xrgb(2, 2, 1.0, PixelFormat::Xrgb);
        DrawingArea xbgr(2, 2, 1.0, PixelFormat::Xbgr);
        xrgb.set_background_colour(row.colour);
        xbgr.set_background_colour(row.colour);
        CHECK(xrgb.pixels()[3] == row.xrgb);
        CHECK(xbgr.pixels()[3] == row.xbgr);
        CHECK(xrgb.colour_at(1, 1) == (row.colour & 0xFFFFFF));
        CHECK(xbgr.colour_at(1, 1) == (row.colour & 0xFFFFFF));
        if constexpr (std::endian::native == std::endian::little) {
            unsigned char bytes[4];
            std::memcpy(bytes, xbgr.pixels(), 4);  // R, G, B, 255 as a browser's ImageData
            CHECK(bytes[0] == (row.colour & 0xFF));
            CHECK(bytes[1] == ((row.colour >> 8) & 0xFF));
            CHECK(bytes[2] == ((row.colour >> 16) & 0xFF));
            CHECK(bytes[3] == 255);
        }
    }
}

// For a lit room: black shows white; the orbit and the lines darker shades of their own hues
// (the channels that were off stay off), each 4.5:1 against white at least, by WCAG's formula
// (whose worked figures come first); the dark purple a light one. Each scheme is its own
// inverse, and the program's own scheme changes nothing.
TEST_CASE("the projector shows the program's colours dark on light") {
    CHECK(contrast_ratio(0xFFFFFF, 0) == doctest::Approx(21.0));
    CHECK(contrast_ratio(kBlue, 0) == doctest::Approx(2.44).epsilon(0.005));
    CHECK(contrast_ratio(0x008000, 0xFFFFFF) == doctest::Approx(5.14).epsilon(0.005));
    CHECK(shown_colour(kBlack, ColourScheme::Projector) == 0xFFFFFF);
    for (const std::int32_t drawn : {kBlue, kGreen, 255, kFillAtCreation}) {
        CAPTURE(drawn);
        const std::int32_t shown = shown_colour(drawn, ColourScheme::Projector);
        CHECK(shown_colour(drawn, ColourScheme::Screen) == drawn);
        CHECK(shown_colour(shown, ColourScheme::Projector) == drawn);
        if (drawn == kFillAtCreation) {
            CHECK(relative_luminance(shown) > 0.5);
            CHECK(((shown & 0xFF) == (shown >> 16) && (shown >> 8 & 0xFF) < (shown & 0xFF)));
            continue;
        }
        for (int shift = 0; shift < 24; shift += 8) {
            const int own = drawn >> shift & 0xFF, now = shown >> shift & 0xFF;
            CHECK((own == 0 ? now == 0 : now < own));
        }
        CHECK(contrast_ratio(shown, 0xFFFFFF) >= 4.5);
    }
}

// Lines drawn again in black, in the same order or the reverse, leave nothing behind,
// whatever their end points, far outside the area among them.
TEST_CASE("lines drawn again in black erase exactly") {
    struct Row {
        double reach;  // end points lie within +-reach units
        double ratio;
        bool reverse;
    };
    const Row rows[] = {{5, 1, false},   {12, 1, true},   {1e6, 1, false},
                        {3e38, 1, true}, {8, 1.5, false}, {8, 2, true}};
    for (const Row& row : rows) {
        CAPTURE(row.reach);
        CAPTURE(row.ratio);
        DrawingArea a = user_area(row.ratio);
        SplitMix rng(12345);
        const auto coord = [&](double centre) {
            // Half of the points near the area, the rest anywhere within reach.
            if (rng.chance(50)) return static_cast<float>(centre + rng.uniform(-5, 5));
            return static_cast<float>(rng.uniform(-row.reach, row.reach));
        };
        struct Line {
            float x1, y1, x2, y2;
        };
        std::vector<Line> lines;
        for (int i = 0; i < 400; ++i)
            lines.push_back({coord(2.2), coord(2), coord(2.2), coord(2)});
        for (int i = 0; i < 100; ++i) {  // like the projections, some at the same place
            const auto v = static_cast<float>(rng.uniform(0, 4.5));
            lines.push_back({v, 0, v, 5});
            lines.push_back({0, v, 5, v});
        }
        for (const Line& l : lines)
            a.line(l.x1, l.y1, l.x2, l.y2, kGreen);
        CHECK(count(a, kGreen) > 1000);
        if (row.reverse) std::reverse(lines.begin(), lines.end());
        for (const Line& l : lines)
            a.line(l.x1, l.y1, l.x2, l.y2, 0);
        CHECK(count(a, kGreen) == 0);
    }
}

TEST_CASE("lines with hostile coordinates clip to the pixels they cross") {
    const float big = std::numeric_limits<float>::max();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Row {
        float x1, y1, x2, y2;
        Rect drawn;  // the green pixels, a rectangle
    };
    const Row rows[] = {
        {1e30f, 0, 1e30f, 5, {}},
        {-3e38f, 1e38f, -3e38f, 2e38f, {}},
        {big, big, big, big, {}},
        {nan, 1, 2, 1, {}},
        {-big, 2, big, 2, {0, 250, 567, 251}},               // y = 2 is row 250
        {1, -big, 1, big, {125, 0, 126, 500}},               // x = 1 is 125.07 pixels across
        {1, 1, 1, 1, {125, 125, 126, 126}},                  // a point
        {4.53f, 3.999f, 100, 3.999f, {566, 499, 567, 500}},  // from the last pixel on
    };
    for (const Row& row : rows) {
        CAPTURE(row.x1);
        CAPTURE(row.y1);
        DrawingArea a = user_area();
        a.line(row.x1, row.y1, row.x2, row.y2, kGreen);
        CHECK(box_of(a, kGreen) == row.drawn);
    }
}

// A circle whose radius is below one device pixel is a dot, w x w pixels holding its centre.
TEST_CASE("a circle smaller than a pixel is a dot of the pen's width") {
    struct Row {
        double ratio;
        float radius;
        Rect dot;
    };
    // The centre (170/75, 2) is the device point (283.5, 250) at 100 %, (425.5, 375) at 150 %
    // (851 x 750 pixels), (567, 500) at 200 %.
    const Row rows[] = {
        {1, 0, {283, 250, 284, 251}},       {1, 0.005f, {283, 250, 284, 251}},
        {1, -0.005f, {283, 250, 284, 251}}, {1.5, 0, {425, 374, 427, 376}},
        {2, 0, {566, 499, 568, 501}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.ratio);
        CAPTURE(row.radius);
        DrawingArea a = user_area(row.ratio);
        a.set_fill_colour(kGreen);
        a.circle(kCx, 2, row.radius, kBlue);
        CHECK(box_of(a, kBlue) == row.dot);
        CHECK(count(a, kGreen) == 0);
    }
}

TEST_CASE("circles far larger than the area, or far away, draw what reaches in") {
    struct Row {
        float cx, cy, radius;
        int fill, outline;
    };
    const int all = 567 * 500;
    const Row rows[] = {
        {kCx, 2, 4, all, 0},
        {kCx, 2, 3.4e38f, all, 0},
        // The left edge 2 units = 250.15 pixels across: the column 250, straight to 3e-5 pixel.
        {1e7f, 2, 9999998, 500 * (567 - 251), 500},
        {1e30f, 1e30f, 1e29f, 0, 0},
        {3e38f, 3e38f, 3e38f, 0, 0},
        {kCx, 2, std::numeric_limits<float>::infinity(), 0, 0},
    };
    for (const Row& row : rows) {
        CAPTURE(row.cx);
        CAPTURE(row.radius);
        DrawingArea a = user_area();
        a.set_background_colour(kGreen);
        a.set_fill_colour(0);
        a.circle(row.cx, row.cy, row.radius, kBlue);
        CHECK(count(a, 0) == row.fill);
        CHECK(count(a, kBlue) == row.outline);
    }
}

// The orbit on the screen: an outline one logical pixel wide round an interior it closes in,
// close to the true ellipse, at every pixel ratio.
TEST_CASE("the orbit is a closed outline one logical pixel wide") {
    struct Row {
        double ratio;
        float radius;  // units; 1 unit is 125 logical pixels
    };
    const Row rows[] = {{1, 1}, {1, 0.3f}, {1, 0.05f}, {1.5, 1}, {2, 1}, {2, 0.3f}};
    for (const Row& row : rows) {
        CAPTURE(row.ratio);
        CAPTURE(row.radius);
        DrawingArea a = user_area(row.ratio);
        a.set_background_colour(kGreen);
        a.set_fill_colour(0);
        a.circle(kCx, 2, row.radius, kBlue);
        const int w = static_cast<int>(std::lround(row.ratio));
        const double cx = kCx * a.width() / kWidth;
        const double cy = 2.0 * a.height() / 4;
        const double r = row.radius * a.height() / 4.0;  // rx is 0.06 % larger
        const auto at = [&a](int x, int y) {
            return x < 0 || y < 0 || x >= a.width() || y >= a.height() ? kGreen : a.colour_at(x, y);
        };
        int outline = 0;
        int interior = 0;
        std::string wrong;  // the first pixel at fault
        const auto fault = [&wrong](const char* what, int x, int y) {
            if (wrong.empty())
                wrong = what + (" at " + std::to_string(x) + ", " + std::to_string(y));
        };
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                if (at(x, y) == 0) {
                    ++interior;
                    // Closed: the inside never touches the outside across an edge.
                    if (at(x - 1, y) == kGreen || at(x + 1, y) == kGreen ||
                        at(x, y - 1) == kGreen || at(x, y + 1) == kGreen) {
                        fault("the inside touches the outside", x, y);
                    }
                } else if (at(x, y) == kBlue) {
                    ++outline;
                    // On the circle, within the pen's width inside it.
                    if (d > r + 1 || d < r - w - 1) fault("off the circle", x, y);
                    // Thin: no square of w + 1 outline pixels.
                    bool square = true;
                    for (int k = 0; k <= w * (w + 1) + w; ++k)
                        square = square && at(x + k % (w + 1), y + k / (w + 1)) == kBlue;
                    if (square) fault("a square of outline", x, y);
                }
            }
        }
        CHECK_MESSAGE(wrong.empty(), wrong);
        // An 8-connected curve of pen width w has about 4 * sqrt(2) * r * w pixels, and the
        // interior the area of the circle w pixels smaller.
        const double pi = std::acos(-1.0);
        CHECK(outline == doctest::Approx(4 * std::sqrt(2.0) * r * w).epsilon(0.05));
        CHECK(interior == doctest::Approx(pi * (r - w) * (r - w)).epsilon(0.05));
    }
}

TEST_CASE("the changed rectangles merge neighbours and keep crossings apart") {
    struct Row {
        const char* name;
        std::vector<Rect> added;
        std::vector<Rect> listed;
    };
    const Row rows[] = {
        {"a line moving by a pixel", {{10, 0, 11, 500}, {11, 0, 12, 500}}, {{10, 0, 12, 500}}},
        {"two lines crossing",
         {{10, 0, 11, 500}, {0, 200, 567, 201}},
         {{10, 0, 11, 500}, {0, 200, 567, 201}}},
        {"a pixel within another", {{0, 0, 50, 50}, {3, 3, 4, 4}}, {{0, 0, 50, 50}}},
        {"nothing", {{5, 5, 5, 9}, {7, 7, 3, 8}}, {}},
    };
    for (const Row& row : rows) {
        INFO(std::string(row.name));
        RectList list;
        for (const Rect& r : row.added)
            list.add(r);
        CHECK(std::vector<Rect>(list.begin(), list.end()) == row.listed);
    }
    // Full: every pixel added is still held, by at most kCapacity rectangles.
    RectList list;
    std::vector<Rect> added;
    for (int i = 0; i < 60; ++i) {
        added.push_back({(i * 37) % 500, (i * 91) % 450, (i * 37) % 500 + 3, (i * 91) % 450 + 2});
        list.add(added.back());
    }
    CHECK(list.size() == RectList::kCapacity);
    for (const Rect& r : added) {
        CAPTURE(r.x0);
        CHECK(std::any_of(list.begin(), list.end(), [&r](const Rect& q) { return q.contains(r); }));
    }
}
