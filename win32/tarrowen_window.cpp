// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/tarrowen_window.h"

#include <windowsx.h>

#include "core/layout/reading_order.h"
#include "win32/dpi_scale.h"
#include "win32/owner_drawn.h"
#include "win32/picture_window.h"
#include "win32/quiet_edit.h"
#include "win32/remote_control.h"
#include "win32/wide_text.h"

namespace tarrowen {

namespace {
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
}  // namespace

TarrowenWindow::TarrowenWindow(HINSTANCE instance, std::optional<double> hand_clock)
    : instance_(instance),
      loop_(
          timer_, [this] { session_->dispatch(Event::tick()); },
          [this] { session_->dispatch(Event::frame()); }) {
    if (hand_clock) {
        auto c = std::make_unique<HandClock>(*hand_clock);
        hand_clock_ = c.get();
        clock_ = std::move(c);
        timer_.set_hand_driven(true);
        remote_ = {RegisterWindowMessageW(remote::kSetClockMessage),
                   RegisterWindowMessageW(remote::kTickMessage),
                   RegisterWindowMessageW(remote::kPresentMessage)};
    } else {
        clock_ = std::make_unique<DayClock>();
    }

    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = window_proc;
    c.hInstance = instance;
    c.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    c.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0));
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = remote::kWindowClass;
    RegisterClassExW(&c);
    register_picture_class(instance);

    const std::wstring caption = widen(layout::kWindowCaption);
    window_ = CreateWindowExW(0, remote::kWindowClass, caption.c_str(), kWindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    dpi_ = GetDpiForWindow(window_);
    if (dpi_ == 0) dpi_ = 96;
    loop_.set_dialog(window_);
    follow_monitor();

    session_ = std::make_unique<Session>(*this, scale_of(dpi_));
    build_controls();
    // The window's one key that no control has: F11 for full screen.
    ACCEL f11{FVIRTKEY, VK_F11, static_cast<WORD>(remote::kFullScreenCommand)};
    keys_ = CreateAcceleratorTableW(&f11, 1);
    loop_.set_accelerators(keys_);
    lay_out();
    size_window();
}

TarrowenWindow::~TarrowenWindow() {
    if (window_ != nullptr) {
        names_.clear();
        DestroyWindow(window_);
    }
    if (keys_ != nullptr) DestroyAcceleratorTable(keys_);
}

void TarrowenWindow::build_controls() {
    using namespace layout;
    // Created in the order in which a screen reader goes through them, which is the order of
    // the windows: Tab and Shift+Tab follow it, and each box's label comes just before the box,
    // where Windows looks for a box's name.
    for (const Id id : reading_order()) {
        const Control& c = layout::control(id);
        const auto menu =
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(remote::kControlIdBase + id));
        HWND w = nullptr;
        switch (c.kind) {
            case ControlKind::DrawingArea:
                w = picture_ = create_picture_window(window_, remote::kControlIdBase + id,
                                                     session_->drawing_area());
                SetWindowTextW(w, widen(c.accessible_name).c_str());
                break;
            case ControlKind::Button: {
                const DWORD look = c.colour >= 0 ? BS_OWNERDRAW : BS_PUSHBUTTON | BS_MULTILINE;
                w = CreateWindowExW(0, L"BUTTON", widen(c.caption).c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | look, 0, 0, 0,
                                    0, window_, menu, instance_, nullptr);
                break;
            }
            case ControlKind::Label:
                w = CreateWindowExW(0, L"STATIC", widen(c.caption).c_str(),
                                    WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, 0, 0, window_, menu,
                                    instance_, nullptr);
                break;
            case ControlKind::TextBox:
                w = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", widen(c.initial_text).c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                    window_, menu, instance_, nullptr);
                make_quiet_edit(w);
                break;
        }
        controls_[static_cast<std::size_t>(id)] = w;
        names_.annotate(w, widen(c.accessible_name), widen(c.description));
    }
}

void TarrowenWindow::lay_out() {
    fonts_.make(layout_dpi());
    const DrawingArea& area = session_->drawing_area();
    const auto places = layout::device_places(scale(), offset_, area.width(), area.height());
    for (int i = 0; i < layout::kControlCount; ++i) {
        const auto id = static_cast<layout::Id>(i);
        const layout::Place& p = places[static_cast<std::size_t>(i)];
        SetWindowPos(control(id), nullptr, p.left, p.top, p.width, p.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control(id), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.of(id)), TRUE);
        if (layout::is_text_box(id)) {
            // The font's own margins (set anew by WM_SETFONT) leave too little of a 50-pixel box
            // for « 1.44 pi»; one pixel a side, as the desktop's boxes have.
            const int margin = scaled(1, layout_dpi());
            SendMessageW(control(id), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                         MAKELPARAM(margin, margin));
        }
    }
}

void TarrowenWindow::size_window() {
    RECT outer = device_rect({0, 0, layout::kClientWidth, layout::kClientHeight}, dpi_);
    AdjustWindowRectExForDpi(&outer, kWindowStyle, FALSE, 0, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TarrowenWindow::show(int how) {
    ShowWindow(window_, how);
    UpdateWindow(window_);
    SetFocus(picture_);
}

std::string TarrowenWindow::box_text(int box) const {
    HWND edit = control(layout::txt_masses(box));
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

void TarrowenWindow::set_box_text(int box, const std::string& text, bool quietly) {
    write_text(control(layout::txt_masses(box)), widen(text), quietly);
}

void TarrowenWindow::present(const DrawingArea&, const RectList& changed) {
    present_rects(picture_, changed);
}

void TarrowenWindow::report(const std::string& message) {
    // The box takes the keyboard; once it is closed, the keyboard goes back to the control that
    // was pressed, so that a user who cannot see the screen is where they were.
    const HWND had_focus = GetFocus();
    loop_.modal(true);
    MessageBoxW(window_, widen(message).c_str(), widen(layout::kWindowCaption).c_str(),
                MB_OK | MB_ICONWARNING);
    loop_.modal(false);
    if (had_focus != nullptr && IsWindow(had_focus)) SetFocus(had_focus);
}

void TarrowenWindow::quit() {
    // The loop ends; the window and the session go after it, not while a handler is running.
    PostQuitMessage(0);
}

void TarrowenWindow::on_size(int width, int height) {
    if (session_ == nullptr) return;
    const double fit = layout::fit_factor(width, height, scale_of(dpi_));
    const layout::Offset offset = layout::centring(width, height, scale_of(dpi_) * fit);
    if (fit == fit_ && offset == offset_) return;
    fit_ = fit;
    offset_ = offset;
    rescale();
}

void TarrowenWindow::rescale() {
    // The canvas takes the pixel ratio it is shown at, and the picture is drawn again.
    session_->set_pixel_ratio(scale());
    lay_out();
    InvalidateRect(window_, nullptr, TRUE);
}

void TarrowenWindow::on_picture_menu(LPARAM where) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    AppendMenuW(menu, MF_STRING | (full_screen_.on() ? MF_CHECKED : MF_UNCHECKED),
                remote::kFullScreenCommand, L"Full screen\tF11");
    AppendMenuW(menu, MF_STRING | (projector_ ? MF_CHECKED : MF_UNCHECKED),
                remote::kProjectorCommand, L"Projector colours");
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {
        at = {8, 8};
        ClientToScreen(picture_, &at);
    }
    loop_.modal(true);
    const int chosen = static_cast<int>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
        at.y, 0, window_, nullptr));
    loop_.modal(false);
    DestroyMenu(menu);
    if (chosen != 0) on_command(chosen, 0);
}

void TarrowenWindow::on_command(int command_id, int code) {
    using namespace layout;
    switch (command_id) {
        case remote::kFullScreenCommand:
            full_screen_.toggle(window_);
            return;
        case remote::kProjectorCommand:
            projector_ = !projector_;
            session_->set_colour_scheme(projector_ ? ColourScheme::Projector
                                                   : ColourScheme::Screen);
            return;
        case IDCANCEL:  // Escape, as the dialog keys send it
            full_screen_.leave(window_);
            return;
        default:
            break;
    }
    const int i = command_id - remote::kControlIdBase;
    if (i < 0 || i >= kControlCount || session_ == nullptr) return;
    const auto id = static_cast<Id>(i);
    const ControlKind kind = layout::control(id).kind;
    if (kind == ControlKind::Label) return;
    const bool box = kind == ControlKind::TextBox;
    if (code == (box ? EN_SETFOCUS : BN_SETFOCUS)) session_->set_focus(id);
    if (code == (box ? EN_KILLFOCUS : BN_KILLFOCUS)) session_->set_focus(kControlCount);
    if (box && code == EN_CHANGE) session_->dispatch(Event::text_changed(id));
    if (kind == ControlKind::Button && code == BN_CLICKED) session_->dispatch(Event::click(id));
}

LRESULT CALLBACK TarrowenWindow::window_proc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TarrowenWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->window_ = w;
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TarrowenWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(w, message, wp, lp);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(w, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(w, message, wp, lp);
    }
    return self->handle(message, wp, lp);
}

bool TarrowenWindow::on_remote(UINT message, LPARAM lp) {
    if (message == 0) return false;
    if (message == remote_.set_clock) {
        hand_clock_->set(remote::lparam_to_seconds(lp));
    } else if (message == remote_.tick) {
        loop_.deliver_tick();
    } else if (message == remote_.present) {
        session_->present_now();
    } else {
        return false;
    }
    return true;
}

LRESULT TarrowenWindow::handle(UINT message, WPARAM wp, LPARAM lp) {
    if (on_remote(message, lp)) return 1;
    // The window may have come to another monitor, or the monitor changed its mode.
    if (message == WM_EXITSIZEMOVE || message == WM_DISPLAYCHANGE) follow_monitor();
    if (loop_.handle_modal(message, wp)) return 0;
    switch (message) {
        case WM_COMMAND:
            on_command(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wp) == picture_) on_picture_menu(lp);
            return 0;
        case WM_SIZE:
            if (wp != SIZE_MINIMIZED) on_size(LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            const int i = static_cast<int>(item.CtlID) - remote::kControlIdBase;
            if (i >= 0 && i < layout::kControlCount) {
                const auto id = static_cast<layout::Id>(i);
                draw_owner_drawn(item, layout::control(id), fonts_.of(id), layout_dpi());
            }
            return TRUE;
        }
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wp);
            fit_ = 1.0;
            offset_ = {};
            rescale();
            size_window();
            follow_monitor();
            const auto* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            quit();
            return 0;
        default:
            return DefWindowProcW(window_, message, wp, lp);
    }
}

}  // namespace tarrowen
