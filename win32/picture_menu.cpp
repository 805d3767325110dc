// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/picture_menu.h"

#include <windowsx.h>

#include "win32/remote_control.h"

namespace tarrowen {

int track_picture_menu(HWND owner, HWND picture, LPARAM where, bool full_screen, bool projector) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return 0;
    AppendMenuW(menu, MF_STRING | (full_screen ? MF_CHECKED : MF_UNCHECKED),
                remote::kFullScreenCommand, L"Full screen\tF11");
    AppendMenuW(menu, MF_STRING | (projector ? MF_CHECKED : MF_UNCHECKED),
                remote::kProjectorCommand, L"Projector colours");
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        at = {8, 8};
        ClientToScreen(picture, &at);
    }
    const int chosen = static_cast<int>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
        at.y, 0, owner, nullptr));
    DestroyMenu(menu);
    return chosen;
}

HACCEL create_window_keys() {
    ACCEL keys[] = {{FVIRTKEY, VK_F11, static_cast<WORD>(remote::kFullScreenCommand)}};
    return CreateAcceleratorTableW(keys, 1);
}

}  // namespace tarrowen
