// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/tarrowen_window.h"

#include <algorithm>
#include <cmath>

#include "core/layout/device_pixels.h"
#include "win32/caption_font.h"
#include "win32/picture_menu.h"
#include "win32/picture_window.h"
#include "win32/quiet_edit.h"
#include "win32/remote_control.h"
#include "win32/wide_text.h"

namespace tarrowen {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr UINT_PTR kModalServeTimer = 1;

// A control's place at `scale` device pixels per layout pixel, edge by edge, so that neighbours
// stay neighbours.
RECT scaled_rect(const layout::Place& twips, double scale) {
    const layout::Place p = layout::to_device(twips, scale);
    return {p.left, p.top, p.right(), p.bottom()};
}

// Inside a push button, what its frame leaves for the caption, at 96 dpi: a themed button's
// frame and padding, or the one-pixel frame of a coloured button that draws itself, whose
// caption may come as near to it as the desktop's ("Run Simulation" on one line in 80 pixels).
constexpr int kButtonInsetX = 4;
constexpr int kButtonInsetY = 3;
constexpr int kColouredInsetX = 2;
constexpr int kColouredInsetY = 1;
// The smallest caption font, in pixels at 96 dpi (some 5 points).
constexpr int kSmallestCaption = 7;

// Darker by a quarter, for the frame of a coloured button.
COLORREF darker(COLORREF c) {
    return RGB(GetRValue(c) * 3 / 4, GetGValue(c) * 3 / 4, GetBValue(c) * 3 / 4);
}

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
        set_clock_message_ = RegisterWindowMessageW(remote::kSetClockMessage);
        tick_message_ = RegisterWindowMessageW(remote::kTickMessage);
        present_message_ = RegisterWindowMessageW(remote::kPresentMessage);
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
    loop_.set_refresh_rate(refresh_rate_of(window_));

    session_ = std::make_unique<Session>(*this, dpi_ / 96.0);
    build_controls();
    keys_ = create_window_keys();
    loop_.set_accelerators(keys_);
    lay_out();
    size_window();
}

int TarrowenWindow::scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * scale()));
}

TarrowenWindow::~TarrowenWindow() {
    if (window_ != nullptr) {
        names_.clear();
        DestroyWindow(window_);
    }
    if (control_font_ != nullptr) DeleteObject(control_font_);
    for (HFONT f : caption_fonts_)
        DeleteObject(f);
    if (keys_ != nullptr) DestroyAcceleratorTable(keys_);
}

void TarrowenWindow::build_controls() {
    using namespace layout;
    const auto create = [this](Id id) {
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
    };
    // Created in the order Tab moves through them, which is the order of the windows: Tab and
    // Shift+Tab follow it. Each box's label comes just before the box, where Windows looks for
    // a box's name.
    for (const Id id : tab_order()) {
        if (layout::control(id).kind == ControlKind::TextBox) create(lbl_mass_id(element(id)));
        create(id);
    }
}

void TarrowenWindow::make_fonts() {
    using namespace layout;
    if (control_font_ != nullptr) DeleteObject(control_font_);
    for (HFONT f : caption_fonts_)
        DeleteObject(f);
    caption_fonts_.clear();

    // The message font at the dpi that the layout's scale amounts to.
    const LOGFONTW base = message_font(static_cast<UINT>(std::lround(96 * scale())));
    control_font_ = CreateFontIndirectW(&base);
    font_of_.fill(control_font_);
    const int smallest = scaled(kSmallestCaption);
    const auto fitting = [&](Id id) {
        const RECT r = scaled_rect(layout::control(id).twips, scale());
        int w = r.right - r.left;
        int h = r.bottom - r.top;
        if (layout::control(id).kind == ControlKind::Button) {
            const bool coloured = layout::control(id).colour >= 0;
            w -= 2 * scaled(coloured ? kColouredInsetX : kButtonInsetX);
            h -= 2 * scaled(coloured ? kColouredInsetY : kButtonInsetY);
        }
        return font_that_fits(base, widen(layout::control(id).caption), w, h, smallest);
    };
    // Each column of captions in one size, the largest in which all of them fit whole.
    for (const auto column : {lbl_mass_id_0, cmd_color_0}) {
        LOGFONTW common = base;
        for (int i = 0; i < kRows; ++i) {
            const LOGFONTW f = fitting(static_cast<Id>(column + i));
            if (font_pixels(f) < font_pixels(common)) common = f;
        }
        if (font_pixels(common) == font_pixels(base)) continue;
        caption_fonts_.push_back(CreateFontIndirectW(&common));
        for (int i = 0; i < kRows; ++i)
            font_of_[static_cast<std::size_t>(column + i)] = caption_fonts_.back();
    }
    for (const Id id :
         {runSImulation, cmd_restart, cmd_apply, cmd_stop_simulation, cmd_exit_program}) {
        const LOGFONTW f = fitting(id);
        if (font_pixels(f) == font_pixels(base)) continue;
        caption_fonts_.push_back(CreateFontIndirectW(&f));
        font_of_[static_cast<std::size_t>(id)] = caption_fonts_.back();
    }
}

void TarrowenWindow::lay_out() {
    make_fonts();
    const DrawingArea& area = session_->drawing_area();
    for (int i = 0; i < layout::kControlCount; ++i) {
        const auto id = static_cast<layout::Id>(i);
        RECT r = scaled_rect(layout::control(id).twips, scale());
        // The picture as large as the canvas, one canvas pixel to a screen pixel: its size
        // rounds once, the edges of the others each once, and the two may differ by a pixel.
        if (id == layout::Picture1)
            r = {r.left, r.top, r.left + area.width(), r.top + area.height()};
        OffsetRect(&r, offset_.x, offset_.y);
        SetWindowPos(control(id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control(id), WM_SETFONT,
                     reinterpret_cast<WPARAM>(font_of_[static_cast<std::size_t>(i)]), TRUE);
        if (layout::control(id).kind == layout::ControlKind::TextBox) {
            // The font's own margins (set anew by WM_SETFONT) leave too little of a 50-pixel box
            // for « 1.44 pi»; one pixel a side, as the desktop's boxes have.
            const int margin = scaled(1);
            SendMessageW(control(id), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                         MAKELPARAM(margin, margin));
        }
    }
}

void TarrowenWindow::size_window() {
    RECT outer{0, 0, layout::to_device(layout::kClientWidth, dpi_ / 96.0),
               layout::to_device(layout::kClientHeight, dpi_ / 96.0)};
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
    serve_in_modal_loops(true);
    MessageBoxW(window_, widen(message).c_str(), widen(layout::kWindowCaption).c_str(),
                MB_OK | MB_ICONWARNING);
    serve_in_modal_loops(false);
    if (had_focus != nullptr && IsWindow(had_focus)) SetFocus(had_focus);
}

void TarrowenWindow::quit() {
    // The loop ends; the window and the session go after it, not while a handler is running.
    PostQuitMessage(0);
}

void TarrowenWindow::serve_in_modal_loops(bool on) {
    modal_depth_ += on ? 1 : -1;
    if (on && modal_depth_ == 1) SetTimer(window_, kModalServeTimer, USER_TIMER_MINIMUM, nullptr);
    if (!on && modal_depth_ == 0) KillTimer(window_, kModalServeTimer);
}

void TarrowenWindow::on_size(int width, int height) {
    if (session_ == nullptr) return;
    const double start_width = layout::to_device(layout::kClientWidth, dpi_ / 96.0);
    const double start_height = layout::to_device(layout::kClientHeight, dpi_ / 96.0);
    // The largest factor at which the whole layout fits, never below start-up's: a window made
    // smaller shows the start-up layout cut off.
    const double fit = std::max(1.0, std::min(width / start_width, height / start_height));
    const int used_width = layout::to_device(layout::kClientWidth, dpi_ / 96.0 * fit);
    const int used_height = layout::to_device(layout::kClientHeight, dpi_ / 96.0 * fit);
    const POINT offset{std::max(0, width - used_width) / 2, std::max(0, height - used_height) / 2};
    if (fit == fit_ && offset.x == offset_.x && offset.y == offset_.y) return;
    fit_ = fit;
    offset_ = offset;
    // The canvas takes the pixel ratio it is shown at, and the picture is drawn again.
    session_->set_pixel_ratio(scale());
    lay_out();
    InvalidateRect(window_, nullptr, TRUE);
}

void TarrowenWindow::on_picture_menu(LPARAM where) {
    serve_in_modal_loops(true);
    const int chosen = track_picture_menu(window_, picture_, where, full_screen_.on(), projector_);
    serve_in_modal_loops(false);
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
    switch (layout::control(id).kind) {
        case ControlKind::Button:
        case ControlKind::DrawingArea:
            if (code == BN_CLICKED && layout::control(id).kind == ControlKind::Button)
                session_->dispatch(Event::click(id));
            if (code == BN_SETFOCUS) session_->set_focus(id);
            if (code == BN_KILLFOCUS) session_->set_focus(kControlCount);
            break;
        case ControlKind::TextBox:
            if (code == EN_CHANGE) session_->dispatch(Event::text_changed(id));
            if (code == EN_SETFOCUS) session_->set_focus(id);
            if (code == EN_KILLFOCUS) session_->set_focus(kControlCount);
            break;
        case ControlKind::Label:
            break;
    }
}

void TarrowenWindow::draw_item(const DRAWITEMSTRUCT& item) {
    const int i = static_cast<int>(item.CtlID) - remote::kControlIdBase;
    if (i < 0 || i >= layout::kControlCount) return;
    const layout::Control& c = layout::control(static_cast<layout::Id>(i));
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    COLORREF text_colour = GetSysColor(COLOR_WINDOWTEXT);
    RECT inside = r;
    if (item.CtlType == ODT_BUTTON) {
        // The button's own colour, flat, with a frame a shade darker; darker still while
        // pressed. (A themed push button draws its face from the theme and takes no colour.)
        const auto colour = static_cast<COLORREF>(c.colour);
        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        HBRUSH face = CreateSolidBrush(pressed ? darker(colour) : colour);
        FillRect(dc, &r, face);
        DeleteObject(face);
        HBRUSH frame = CreateSolidBrush(darker(darker(colour)));
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
        if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
            RECT f = r;
            // Just inside the frame, clear of the caption.
            InflateRect(&f, -scaled(1), -scaled(1));
            DrawFocusRect(dc, &f);
        }
        text_colour =
            GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
        InflateRect(&inside, -scaled(kColouredInsetX), -scaled(kColouredInsetY));
        if (pressed) OffsetRect(&inside, 1, 1);
    } else {
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    }
    const std::wstring text = widen(c.caption);
    const HGDIOBJ old = SelectObject(dc, font_of_[static_cast<std::size_t>(i)]);
    // Centred both ways, as the wrapped lines need.
    const int h = wrapped_height(dc, text, inside.right - inside.left);
    inside.top += (inside.bottom - inside.top - h) / 2;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inside, kCaptionFormat);
    SelectObject(dc, old);
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

LRESULT TarrowenWindow::handle(UINT message, WPARAM wp, LPARAM lp) {
    if (set_clock_message_ != 0) {
        if (message == set_clock_message_) {
            hand_clock_->set(remote::lparam_to_seconds(lp));
            return 1;
        }
        if (message == tick_message_) {
            timer_.count_tick();
            session_->dispatch(Event::tick());
            return 1;
        }
        if (message == present_message_) {
            session_->present_now();
            return 1;
        }
    }
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
        case WM_DRAWITEM:
            draw_item(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wp);
            fit_ = 1.0;
            offset_ = {0, 0};
            session_->set_pixel_ratio(scale());
            lay_out();
            size_window();
            const auto* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(window_, nullptr, TRUE);
            return 0;
        }
        case WM_ENTERSIZEMOVE:
        case WM_ENTERMENULOOP:
            serve_in_modal_loops(true);
            return 0;
        case WM_EXITSIZEMOVE:
        case WM_EXITMENULOOP:
            serve_in_modal_loops(false);
            return 0;
        case WM_TIMER:
            if (wp == kModalServeTimer) loop_.serve_due();
            return 0;
        case WM_CLOSE:
            quit();
            return 0;
        default:
            return DefWindowProcW(window_, message, wp, lp);
    }
}

}  // namespace tarrowen
