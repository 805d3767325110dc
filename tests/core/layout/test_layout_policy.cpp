// SPDX-License-Identifier: GPL-3.0-or-later
// How a front-end turns the table into controls: twips to device pixels at any scale, the
// captions' sizes, the reading order. Against figures worked out by hand.
#include <doctest/doctest.h>

#include <map>
#include <string>
#include <vector>

#include "core/layout/caption_sizes.h"
#include "core/layout/device_pixels.h"
#include "core/layout/layout_json.h"
#include "core/layout/reading_order.h"
#include "core/layout/window_fit.h"

using namespace tarrowen::layout;

TEST_CASE("an edge in twips lands on the nearest device pixel, rounded once") {
    struct Row {
        int twips;
        double scale;
        int pixel;
    };
    // The buttons of rows 0 and 1 span 1100-1550-2000 twips. Rounding 96-dpi pixels again
    // would give 146-206-266 at scale 2 and 130-184-237 at 25/14.
    const Row rows[] = {
        {1100, 1, 73},          {1550, 1, 103},         {2000, 1, 133},         {0, 1, 0},
        {1100, 1.5, 110},       {1550, 1.5, 155},       {2000, 1.5, 200},       {1105, 1.5, 111},
        {1095, 1.5, 110},  // 110.5 and 109.5: halves away from zero
        {1100, 2, 147},         {1550, 2, 207},         {2000, 2, 267},         {11085, 2, 1478},
        {8400, 2, 1120},        {1100, 1.25, 92},       {120, 1.25, 10},        {8620, 1.25, 718},
        {1100, 25.0 / 14, 131}, {1550, 25.0 / 14, 185}, {2000, 25.0 / 14, 238}, {-1100, 1.5, -110},
        {-1105, 1.5, -111},
    };
    for (const Row& r : rows) {
        CAPTURE(r.twips);
        CAPTURE(r.scale);
        CHECK(to_device(r.twips, r.scale) == r.pixel);
    }
}

TEST_CASE("a rectangle keeps its edges, so neighbours stay neighbours at every scale") {
    struct Row {
        Place twips;
        double scale;
        Place pixels;
    };
    const Row rows[] = {
        {{8800, 1100, 500, 375}, 2, {1173, 147, 67, 50}},
        {{10200, 1100, 850, 450}, 1.5, {1020, 110, 85, 45}},
        {{10200, 1550, 850, 450}, 1.5, {1020, 155, 85, 45}},
        {{10200, 1100, 850, 450}, 2, {1360, 147, 113, 60}},
        {{10200, 1550, 850, 450}, 2, {1360, 207, 113, 60}},
        {{120, 240, 8500, 7500}, 1, {8, 16, 567, 500}},
        {{120, 240, 8500, 7500}, 2, {16, 32, 1133, 1000}},
    };
    for (const Row& r : rows) {
        CAPTURE(r.twips.top);
        CAPTURE(r.scale);
        CHECK(to_device(r.twips, r.scale) == r.pixels);
    }
    // At scale 1, every place of the table is where to_pixels puts it.
    for (const Control& c : kControls)
        CHECK(to_device(c.twips, 1) == to_pixels(c.twips));
}

namespace {

// A toolkit in which each caption fits at its size and below.
struct Toolkit {
    std::map<Id, double> largest_fitting;  // the rest fit at any size
    std::vector<double> asked;             // every size asked about, in order

    CaptionFits fits() {
        return [this](Id id, double size) {
            asked.push_back(size);
            const auto it = largest_fitting.find(id);
            return it == largest_fitting.end() || size <= it->second;
        };
    }
};

}  // namespace

TEST_CASE("a larger window scales the layout by the largest factor that fits, and centres it") {
    struct Row {
        double width, height, unit_scale;  // the client area, and the unit it is measured in
        double factor;
        double scale;  // device pixels per 96-dpi pixel of the layout, for centring
        int device_width, device_height;
        Offset offset;
    };
    const Row rows[] = {
        {739, 560, 1, 1, 1, 739, 560, {0, 0}},                      // start-up
        {700, 500, 1, 1, 1, 700, 500, {0, 0}},                      // smaller: cut off, not shrunk
        {1478, 1200, 1, 2, 2, 1478, 1200, {0, 40}},                 // 1120 high, 80 left over
        {2956, 2240, 2, 2, 4, 2956, 2240, {0, 0}},                  // 192 dpi, twice its start-up
        {1920, 1200, 1, 15.0 / 7, 15.0 / 7, 1920, 1200, {168, 0}},  // 1584 wide: 336 over
        {1000, 560, 1, 1, 1, 1000, 560, {130, 0}},  // wider only: 261 over, the odd one right
    };
    for (const Row& r : rows) {
        CAPTURE(r.width);
        CAPTURE(r.height);
        CHECK(fit_factor(r.width, r.height, r.unit_scale) == doctest::Approx(r.factor));
        CHECK(centring(r.device_width, r.device_height, r.scale) == r.offset);
    }
}

TEST_CASE(
    "the controls' device places: moved as the layout is centred, the picture its canvas's size") {
    const auto at_1 = device_places(1, {}, 567, 500);
    CHECK(at_1[Picture1] == Place{8, 16, 567, 500});
    CHECK(at_1[runSImulation] == Place{640, 8, 80, 25});
    // At scale 2 the picture's edges span 1133 pixels, its canvas 1134 (567 · 2).
    const auto at_2 = device_places(2, {10, 40}, 1134, 1000);
    CHECK(at_2[Picture1] == Place{26, 72, 1134, 1000});
    CHECK(at_2[cmd_color(1)] == Place{1370, 247, 113, 60});
}

TEST_CASE("a group takes the largest size at which all its captions fit, never below the floor") {
    struct Row {
        const char* what;
        FontSizes sizes;
        std::map<Id, double> need;
        std::map<Id, double> got;
    };
    const Row rows[] = {
        {"all fit at the default",
         {9, 0.5, 5.25},
         {},
         {{lbl_mass_id(0), 9}, {cmd_color(7), 9}, {runSImulation, 9}, {cmd_apply, 9}}},
        {"one step button shrinks its column, not the labels",
         {9, 0.5, 5.25},
         {{cmd_color(4), 7.2}},
         {{cmd_color(0), 7}, {cmd_color(4), 7}, {cmd_color(7), 7}, {lbl_mass_id(4), 9}}},
        {"the smallest need of a column counts",
         {9, 0.5, 5.25},
         {{lbl_mass_id(0), 8.9}, {lbl_mass_id(3), 7.6}, {lbl_mass_id(7), 8}},
         {{lbl_mass_id(0), 7.5}, {lbl_mass_id(5), 7.5}, {cmd_color(0), 9}}},
        {"a fixed button alone: the others keep the default",
         {9, 0.5, 5.25},
         {{cmd_stop_simulation, 6.6}},
         {{cmd_stop_simulation, 6.5}, {cmd_restart, 9}, {cmd_exit_program, 9}}},
        {"nothing fits: the smallest size tried at or above the floor",
         {9, 0.5, 5.25},
         {{runSImulation, 1}},
         {{runSImulation, 5.5}, {cmd_apply, 9}}},
        {"whole pixels, the floor on a step",
         {22, 1, 14},
         {{cmd_color(3), 17.5}, {cmd_apply, 3}},
         {{cmd_color(0), 17}, {cmd_apply, 14}, {lbl_mass_id(0), 22}}},
        {"a default below the floor is kept, not enlarged",
         {12, 1, 14},
         {{cmd_color(3), 11}},
         {{cmd_color(3), 12}, {lbl_mass_id(0), 12}}},
        {"a browser's size at a scale of 25/14",
         {11 * 25.0 / 14, 0.5, 7 * 25.0 / 14},
         {{cmd_color(5), 17.3}},
         {{cmd_color(5), 11 * 25.0 / 14 - 2.5}, {runSImulation, 11 * 25.0 / 14}}},
    };
    for (const Row& r : rows) {
        CAPTURE(r.what);
        Toolkit t{r.need, {}};
        const auto sizes = caption_sizes(r.sizes, t.fits());
        for (const auto& got : r.got) {
            const char* name = control(got.first).name;
            CAPTURE(name);
            CHECK(sizes[static_cast<std::size_t>(got.first)] == got.second);
        }
        // Controls without a caption get none.
        CHECK(sizes[Picture1] == 0);
        CHECK(sizes[txt_masses(0)] == 0);
        // No size below the floor is ever asked about (unless the default itself is).
        for (const double asked : t.asked)
            CHECK((asked >= r.sizes.smallest || asked == r.sizes.largest));
    }
}

TEST_CASE("the groups: the labels' column, the step buttons' column, each fixed button alone") {
    std::map<Id, std::size_t> group_of;
    const auto groups = caption_groups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (const Id id : groups[g]) {
            CHECK(group_of.count(id) == 0);
            group_of[id] = g;
        }
    }
    // Every control with a caption is in one group, and only those.
    for (int i = 0; i < kControlCount; ++i) {
        const Control& c = kControls[static_cast<std::size_t>(i)];
        CAPTURE(c.name);
        CHECK(group_of.count(static_cast<Id>(i)) == (*c.caption != '\0' ? 1u : 0u));
    }
    for (int i = 1; i < kRows; ++i) {
        CHECK(group_of[lbl_mass_id(i)] == group_of[lbl_mass_id(0)]);
        CHECK(group_of[cmd_color(i)] == group_of[cmd_color(0)]);
    }
    CHECK(group_of[lbl_mass_id(0)] != group_of[cmd_color(0)]);
    const Id fixed[] = {runSImulation, cmd_restart, cmd_apply, cmd_stop_simulation,
                        cmd_exit_program};
    for (const Id id : fixed) {
        CAPTURE(control(id).name);
        CHECK(groups[group_of[id]].size() == 1);
    }
}

TEST_CASE("the reading order: each label just before its box, the focus order otherwise") {
    const std::vector<std::string> want = {
        "Picture1",       "runSImulation", "lbl_mass_id(0)",      "txt_masses(0)",
        "lbl_mass_id(1)", "txt_masses(1)", "lbl_mass_id(2)",      "txt_masses(2)",
        "lbl_mass_id(3)", "txt_masses(3)", "cmd_stop_simulation", "cmd_exit_program",
        "cmd_color(0)",   "cmd_color(1)",  "cmd_color(2)",        "cmd_color(3)",
        "lbl_mass_id(4)", "txt_masses(4)", "lbl_mass_id(5)",      "txt_masses(5)",
        "lbl_mass_id(6)", "txt_masses(6)", "lbl_mass_id(7)",      "txt_masses(7)",
        "cmd_color(4)",   "cmd_color(5)",  "cmd_color(6)",        "cmd_color(7)",
        "cmd_restart",    "cmd_apply"};
    std::vector<std::string> got;
    for (const Id id : reading_order())
        got.emplace_back(control(id).name);
    CHECK(got == want);
}

TEST_CASE("the text boxes are txt_masses(0) to (7)") {
    struct Row {
        int id;
        bool box;
    };
    const Row rows[] = {{txt_masses(0), true},   {txt_masses(7), true},
                        {lbl_mass_id(7), false}, {cmd_color(0), false},
                        {Picture1, false},       {cmd_apply, false},
                        {kControlCount, false},  {-1, false}};
    for (const Row& r : rows) {
        CAPTURE(r.id);
        CHECK(is_text_box(r.id) == r.box);
    }
}

TEST_CASE("the layout as JSON: every field by its name, kinds by theirs") {
    const std::string table = table_json();
    const std::string start =
        R"j({"caption":"Tarrowen","client":{"width":739,"height":560},"controls":[)j"
        R"j({"id":0,"kind":"DrawingArea","name":"Picture1","element":-1,"textBox":false,)j"
        R"j("caption":"","initialText":"","accessibleName":"Picture of the motion",)j"
        R"j("description":"","tabIndex":0,"colour":null},)j"
        R"j({"id":1,"kind":"Button","name":"runSImulation","element":-1,"textBox":false,)j"
        R"j("caption":"Run Simulation","initialText":"","accessibleName":"Run Simulation",)j"
        R"j("description":"","tabIndex":1,"colour":{"red":255,"green":128,"blue":128}},)j";
    CHECK(table.substr(0, start.size()) == start);
    CHECK(table.find(R"j({"id":14,"kind":"TextBox","name":"txt_masses(0)","element":0,)j"
                     R"j("textBox":true,"caption":"","initialText":"2",)j"
                     R"j("accessibleName":"ang freq",)j"
                     R"j("description":"Input: angular frequency omega, in radians per second",)j"
                     R"j("tabIndex":5,"colour":null})j") != std::string::npos);
    CHECK(table.find(R"j({"id":13,"kind":"Label","name":"lbl_mass_id(7)","element":7,)j"
                     R"j("textBox":false,"caption":"theta",)j") != std::string::npos);
    const std::string end =
        R"j(],"tabOrder":[0,1,14,15,16,17,4,5,22,23,24,25,18,19,20,21,26,27,28,29,2,3],)j"
        R"j("readingOrder":[0,1,6,14,7,15,8,16,9,17,4,5,22,23,24,25,10,18,11,19,12,20,13,21,)j"
        R"j(26,27,28,29,2,3]})j";
    REQUIRE(table.size() > end.size());
    CHECK(table.substr(table.size() - end.size()) == end);

    const std::string places = places_json(2);
    const std::string first = R"j({"client":{"width":1478,"height":1120},"controls":[)j"
                              R"j({"left":16,"top":32,"width":1133,"height":1000},)j"
                              R"j({"left":1280,"top":16,"width":160,"height":50},)j";
    CHECK(places.substr(0, first.size()) == first);
    // Row 0's label at scale 2, rounded once from twips.
    CHECK(places.find(R"j({"left":1173,"top":147,"width":67,"height":50})j") != std::string::npos);
    CHECK(places.substr(places.size() - 3) == "}]}");
}
