// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tarrowen::layout {

namespace {

// The panel: a label, a text box and a button in each of eight rows.
constexpr int kPanelLeft = 8800;
constexpr int kPanelTop = 1100;
constexpr int kRowPitch = 450;

constexpr const char* kLabelCaptions[kRows] = {"ang freq", "radius", "theta0", "t (sec)",
                                               "theta",    "x",      "y",      "theta"};
constexpr const char* kInitialTexts[kRows] = {"2", "1", "0", "0", "0", "1", "0", "0"};
// Rows 4 and 7 share the caption "theta"; their accessible names tell them apart.
constexpr const char* kBoxNames[kRows] = {"ang freq", "radius", "theta0", "t (sec)",
                                          "theta",    "x",      "y",      "theta in units of pi"};
constexpr const char* kBoxDescriptions[kRows] = {
    "Input: angular frequency omega, in radians per second",
    "Input: radius R of the orbit, in drawing units",
    "Input: phase theta0, the angle at time 0, in radians",
    "Readout: elapsed time t, in seconds",
    "Readout: angle theta, in radians",
    "Readout: horizontal projection R cos theta",
    "Readout: vertical projection R sin theta",
    "Readout: angle theta in units of pi"};
constexpr const char* kButtonCaptions[kRows] = {
    "incr rad",        "decr rad",        "incr freq",       "decr freq",
    "increment 1.000", "increment 0.100", "increment 0.010", "increment 0.001"};
constexpr double kSteps[kRows] = {0, 0, 0, 0, 1, 0.1, 0.01, 0.001};
constexpr int kLabelTabs[kRows] = {2, 3, 4, 9, 16, 17, 18, 19};
constexpr int kBoxTabs[kRows] = {5, 6, 7, 8, 20, 21, 22, 23};
constexpr int kButtonTabs[kRows] = {12, 13, 14, 15, 24, 25, 26, 27};
constexpr const char* kLabelNames[kRows] = {"lbl_mass_id(0)", "lbl_mass_id(1)", "lbl_mass_id(2)",
                                            "lbl_mass_id(3)", "lbl_mass_id(4)", "lbl_mass_id(5)",
                                            "lbl_mass_id(6)", "lbl_mass_id(7)"};
constexpr const char* kBoxIds[kRows] = {"txt_masses(0)", "txt_masses(1)", "txt_masses(2)",
                                        "txt_masses(3)", "txt_masses(4)", "txt_masses(5)",
                                        "txt_masses(6)", "txt_masses(7)"};
constexpr const char* kButtonIds[kRows] = {"cmd_color(0)", "cmd_color(1)", "cmd_color(2)",
                                           "cmd_color(3)", "cmd_color(4)", "cmd_color(5)",
                                           "cmd_color(6)", "cmd_color(7)"};

constexpr std::int32_t kLightRed = 255 + 256 * 128 + 65536 * 128;  // RGB(255, 128, 128)

constexpr Control button(const char* name, Place twips, const char* caption, int tab) {
    return {ControlKind::Button, name, twips, caption, "", caption, "", tab, -1, 0};
}

constexpr std::array<Control, kControlCount> make_table() {
    std::array<Control, kControlCount> t{};
    t[Picture1] = {ControlKind::DrawingArea,
                   "Picture1",
                   {120, 240, 8500, 7500},
                   "",
                   "",
                   "Picture of the motion",
                   "",
                   0,
                   -1,
                   0};
    t[runSImulation] = button("runSImulation", {9600, 120, 1200, 375}, "Run Simulation", 1);
    t[runSImulation].colour = kLightRed;
    t[cmd_restart] = button("cmd_restart", {9120, 6840, 975, 495}, "Restart", 28);
    t[cmd_apply] = button("cmd_apply", {10200, 6840, 855, 495}, "Apply", 29);
    t[cmd_stop_simulation] =
        button("cmd_stop_simulation", {9120, 7320, 975, 495}, "pause simulation", 10);
    t[cmd_exit_program] = button("cmd_exit_program", {10200, 7320, 855, 495}, "Quit ", 11);
    for (int i = 0; i < kRows; ++i) {
        const int top = kPanelTop + kRowPitch * i;
        t[lbl_mass_id(i)] = {ControlKind::Label,
                             kLabelNames[i],
                             {kPanelLeft, top, 500, 375},
                             kLabelCaptions[i],
                             "",
                             "",
                             "",
                             kLabelTabs[i],
                             -1,
                             0};
        t[txt_masses(i)] = {ControlKind::TextBox,
                            kBoxIds[i],
                            {kPanelLeft + 600, top, 750, 375},
                            "",
                            kInitialTexts[i],
                            kBoxNames[i],
                            kBoxDescriptions[i],
                            kBoxTabs[i],
                            -1,
                            0};
        t[cmd_color(i)] = button(kButtonIds[i], {kPanelLeft + 1400, top, 850, 450},
                                 kButtonCaptions[i], kButtonTabs[i]);
        t[cmd_color(i)].step = kSteps[i];
    }
    return t;
}

}  // namespace

const std::array<Control, kControlCount> kControls = make_table();

const std::array<Id, kFocusable>& tab_order() {
    static const std::array<Id, kFocusable> order = [] {
        std::array<Id, kFocusable> o{};
        std::size_t n = 0;
        for (int i = 0; i < kControlCount; ++i) {
            if (takes_focus(kControls[static_cast<std::size_t>(i)])) o[n++] = static_cast<Id>(i);
        }
        std::sort(o.begin(), o.end(),
                  [](Id a, Id b) { return control(a).tab_index < control(b).tab_index; });
        return o;
    }();
    return order;
}

int to_pixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

Place to_pixels(const Place& twips) {
    const int x = to_pixels(twips.left);
    const int y = to_pixels(twips.top);
    return {x, y, to_pixels(twips.right()) - x, to_pixels(twips.bottom()) - y};
}

Id find(const char* name) {
    const auto* it = std::find_if(kControls.begin(), kControls.end(), [name](const Control& c) {
        return std::strcmp(c.name, name) == 0;
    });
    return static_cast<Id>(it - kControls.begin());
}

}  // namespace tarrowen::layout
