// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture's context menu: "Full screen" (F11) and "Projector colours", each checked while
// it is on. A popup menu of Windows' own, so that assistive technology reads its entries with
// their names and checked states. Opened by a right click on the picture (WM_CONTEXTMENU), and
// from the keyboard by Shift+F10 or the Menu key while the picture has the focus.

#include <windows.h>

namespace tarrowen {

// Shows the menu for `picture`, owned by `owner`, and waits for the user: `where` is the
// WM_CONTEXTMENU point in screen coordinates, or -1 from the keyboard (the menu then opens at
// the picture's top left corner). The command chosen (remote::kFullScreenCommand,
// remote::kProjectorCommand), or 0 when none was.
int track_picture_menu(HWND owner, HWND picture, LPARAM where, bool full_screen, bool projector);

// The accelerator table of the window's keys that no control has: F11 for full screen.
HACCEL create_window_keys();

}  // namespace tarrowen
