// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on plain Win32 controls: builds its controls from the layout table, turns
// their notifications into the session's dispatches, presents the canvas and the readouts once
// a screen refresh, and shows reports in a message box.
//
// It is aware of each monitor's dpi: controls stand at their twips at that dpi
// (win32/dpi_scale.h), every control has the system's message font at that dpi, and the canvas
// has pixel ratio dpi/96. On WM_DPICHANGED (the window moved to another monitor, or the scale
// changed) all of it is done again. The fonts and the controls it draws itself each have a file
// of their own.
//
// Made larger than at start-up (its frame dragged, maximised, full screen), the window scales
// its whole layout, fonts and picture included (core/layout/window_fit.h).

#include <windows.h>

#include <cmath>

#include <array>
#include <memory>
#include <optional>

#include "core/frontend/frontend.h"
#include "core/frontend/session.h"
#include "core/layout/layout.h"
#include "core/layout/window_fit.h"
#include "core/platform/hand_clock.h"
#include "win32/accessible_names.h"
#include "win32/caption_font.h"
#include "win32/dpi_scale.h"
#include "win32/full_screen.h"
#include "win32/message_loop.h"
#include "win32/waitable_timer.h"

namespace tarrowen {

class TarrowenWindow final : public Frontend {
  public:
    // With `hand_clock`, the clock reads those seconds until a driver sets it, and ticks come
    // only from the driver.
    TarrowenWindow(HINSTANCE instance, std::optional<double> hand_clock);
    ~TarrowenWindow() override;
    TarrowenWindow(const TarrowenWindow&) = delete;
    TarrowenWindow& operator=(const TarrowenWindow&) = delete;

    void show(int how);
    // Runs the message loop until the program ends; its exit code.
    int run() { return loop_.run(); }
    const WaitableTimer& waitable_timer() const { return timer_; }

    // What the window supplies to the session.
    std::string box_text(int box) const override;
    void set_box_text(int box, const std::string& text, bool quietly) override;
    void present(const DrawingArea& area, const RectList& changed) override;
    void request_frame() override { loop_.request_frame(); }
    void report(const std::string& message) override;
    void quit() override;
    PeriodicTimer& timer() override { return timer_; }
    Clock& clock() override { return *clock_; }

  private:
    static LRESULT CALLBACK window_proc(HWND w, UINT message, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT message, WPARAM wp, LPARAM lp);
    void on_command(int id, int code);
    void build_controls();
    // Places and fonts for dpi_ and the client area's size.
    void lay_out();
    // The window's start-up size at dpi_.
    void size_window();
    // Device pixels per 96-dpi pixel: dpi_/96 times the factor the client area allows; and the
    // dpi that amounts to, for the fonts and the distances given at 96 dpi.
    double scale() const { return scale_of(dpi_) * fit_; }
    UINT layout_dpi() const { return static_cast<UINT>(std::lround(dpi_ * fit_)); }
    void on_size(int width, int height);
    // The canvas at the scale the layout now has, and the controls placed and drawn again.
    void rescale();
    // The hand-set clock's messages (win32/remote_control.h); false for every other message.
    bool on_remote(UINT message, LPARAM lp);
    // The picture's context menu, "Full screen" (F11) and "Projector colours", each checked
    // while it is on: a popup menu of Windows' own, so that assistive technology reads its
    // entries with their names and checked states. Opened by a right click on the picture, and
    // by Shift+F10 or the Menu key while the picture has the focus: `where` is the
    // WM_CONTEXTMENU point in screen coordinates, or -1 from the keyboard (the menu then opens at
    // the picture's top left corner).
    void on_picture_menu(LPARAM where);
    // Frames follow the refresh rate of the monitor that shows the window, also after it moved.
    void follow_monitor() { loop_.set_refresh_rate(refresh_rate_of(window_)); }
    HWND control(layout::Id id) const { return controls_[static_cast<std::size_t>(id)]; }

    HINSTANCE instance_;
    WaitableTimer timer_;
    std::unique_ptr<Clock> clock_;
    HandClock* hand_clock_ = nullptr;
    MessageLoop loop_;
    std::unique_ptr<Session> session_;
    HWND window_ = nullptr;
    HWND picture_ = nullptr;
    std::array<HWND, layout::kControlCount> controls_{};
    AccessibleNames names_;
    UINT dpi_ = 96;
    double fit_ = 1.0;
    layout::Offset offset_;  // of the layout in the client area, centring it
    FullScreen full_screen_;
    bool projector_ = false;
    HACCEL keys_ = nullptr;
    CaptionFonts fonts_;
    // The registered ids of the hand-set clock's messages; 0 without it.
    struct {
        UINT set_clock, tick, present;
    } remote_{};
};

}  // namespace tarrowen
