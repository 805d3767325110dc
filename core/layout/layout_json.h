// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout as JSON text, for a front-end written in another language (the page's script),
// so that every field crosses by its name and no number stands for a field or a kind.
//
// table_json(): the window and every control, by id (the control's place in "controls"):
//   {"caption":"Tarrowen","client":{"width":739,"height":560},
//    "controls":[{"id":0,"kind":"DrawingArea","name":"Picture1","element":-1,
//                 "textBox":false,"caption":"","initialText":"",
//                 "accessibleName":"Picture of the motion","description":"","tabIndex":0,
//                 "colour":null}, ...],
//    "tabOrder":[0,1,21,...],"readingOrder":[0,1,6,14,...]}
// with "client" in pixels at 96 dots per inch, "kind" one of "DrawingArea", "Button",
// "Label", "TextBox", and "colour" null for the toolkit's colour, else its components:
// {"red":255,"green":128,"blue":128}.
//
// places_json(scale): where the controls stand on a device of `scale` device pixels per
// 96-dpi pixel (core/layout/device_pixels.h), by id:
//   {"client":{"width":1478,"height":1120},
//    "controls":[{"left":16,"top":32,"width":1133,"height":1000}, ...]}

#include <string>

namespace tarrowen::layout {

std::string table_json();
std::string places_json(double scale);

}  // namespace tarrowen::layout
