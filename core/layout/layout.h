// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's controls as data: every control's kind, name, place and size, caption,
// accessible name and description, place in the focus order, initial text, colour and step.
// A front-end builds its window from this table and writes none of it again.
//
// Places are in twips (1/1440 inch), from the top left corner of the client area, x to the
// right and y downwards. At 96 dots per inch 15 twips make one pixel; a front-end turns twips
// into its own pixels with to_pixels(), which rounds edges, not sizes, so that controls that
// touch in twips touch in pixels:
//   the buttons of rows 0 and 1 span 1100-1550 and 1550-2000 twips, i.e. pixels 73-103 and
//   103-133: each 30 pixels high, and touching.

#include <array>
#include <cstdint>

namespace tarrowen::layout {

inline constexpr int kTwipsPerPixel = 15;

// The client area: 739 x 560 pixels.
inline constexpr int kClientWidth = 11085;
inline constexpr int kClientHeight = 8400;

inline constexpr const char* kWindowCaption = "Tarrowen";

enum class ControlKind { DrawingArea, Button, Label, TextBox };

// A rectangle in twips or in pixels: left and top, width and height.
struct Place {
    int left, top, width, height;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const Place&, const Place&) = default;
};

// One control. Strings are never null: a control without a caption has "".
struct Control {
    ControlKind kind;
    // The control's own name; an element of a control array is "array(index)".
    const char* name;
    Place twips;
    const char* caption;       // buttons and labels
    const char* initial_text;  // text boxes
    const char* accessible_name;
    const char* description;
    // Place in the keyboard's focus order: Tab moves from a lower index to the next higher one.
    // Labels carry one too, but take no focus.
    int tab_index;
    // The background colour value of a button that has its own (red + 256 green + 65536 blue);
    // -1 for the toolkit's colour.
    std::int32_t colour;
    // The step that a step button chooses, 0 for every other control. The motion holds a whole
    // step as a 16-bit integer and a fraction as a double.
    double step;
};

// The controls by their place in the table.
enum Id : int {
    Picture1,
    runSImulation,
    cmd_restart,
    cmd_apply,
    cmd_stop_simulation,
    cmd_exit_program,
    // The panel: three control arrays of eight, element i of each in row i.
    lbl_mass_id_0,
    txt_masses_0 = lbl_mass_id_0 + 8,
    cmd_color_0 = txt_masses_0 + 8,
    kControlCount = cmd_color_0 + 8,
};

inline constexpr int kRows = 8;
constexpr Id lbl_mass_id(int i) {
    return static_cast<Id>(lbl_mass_id_0 + i);
}
constexpr Id txt_masses(int i) {
    return static_cast<Id>(txt_masses_0 + i);
}
constexpr Id cmd_color(int i) {
    return static_cast<Id>(cmd_color_0 + i);
}
// The element index of a control of the panel, -1 for the fixed controls.
constexpr int element(Id id) {
    return id >= lbl_mass_id_0 ? (id - lbl_mass_id_0) % kRows : -1;
}
// One of the panel's text boxes, txt_masses(0) to (7).
constexpr bool is_text_box(int id) {
    return id >= txt_masses_0 && id < cmd_color_0;
}

extern const std::array<Control, kControlCount> kControls;

inline const Control& control(Id id) {
    return kControls[static_cast<std::size_t>(id)];
}

// Labels take no focus; every other control does.
constexpr bool takes_focus(const Control& c) {
    return c.kind != ControlKind::Label;
}
// The controls that take the focus, in the order Tab moves through them.
inline constexpr int kFocusable = kControlCount - kRows;
const std::array<Id, kFocusable>& tab_order();

// Twips to pixels at 96 dots per inch, rounded to the nearest (halves away from zero).
int to_pixels(int twips);
// The pixel rectangle of a control: its edges rounded, so that neighbours stay neighbours.
Place to_pixels(const Place& twips);

// The id of the control with this name, or kControlCount.
Id find(const char* name);

}  // namespace tarrowen::layout
