// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A top-level window made to cover its monitor, title bar and frame gone, and given back its
// frame and its place as they were.

#include <windows.h>

namespace tarrowen {

class FullScreen {
  public:
    bool on() const { return on_; }
    // Covers the monitor that shows most of `window`, keeping its style and place to restore.
    void enter(HWND window);
    void leave(HWND window);
    void toggle(HWND window) { on_ ? leave(window) : enter(window); }

  private:
    bool on_ = false;
    LONG_PTR style_ = 0;
    WINDOWPLACEMENT placement_{};
};

}  // namespace tarrowen
