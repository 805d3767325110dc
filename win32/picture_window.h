// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The child window that shows the drawing area. It paints only from the canvas, so a window
// uncovered or restored shows the picture again; present() copies just the rectangles that
// changed since the last frame, straight from the canvas's pixels.
//
// The canvas's Xrgb pixels are the layout of a 32-bit top-down DIB, so a rectangle goes to the
// screen without a copy: a DIB header of the canvas's stride and the rectangle's height, the
// pixels from the rectangle's first row, SetDIBitsToDevice. The window has the canvas's size
// in device pixels (the window gives it so).

#include <windows.h>

#include "core/canvas/drawing_area.h"

namespace tarrowen {

// Registers the window class (once per process).
void register_picture_class(HINSTANCE instance);

// The picture child window of `parent`, with control id `id`, showing `area` (which must outlive
// the window). It takes the focus when clicked and tells the parent of focus changes as a
// button does: WM_COMMAND with BN_SETFOCUS and BN_KILLFOCUS.
HWND create_picture_window(HWND parent, int id, const DrawingArea& area);

// Copies the device-pixel rectangles `changed` of the canvas to the window.
void present_rects(HWND picture, const RectList& changed);

}  // namespace tarrowen
