// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/quiet_edit.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

namespace tarrowen {

namespace {

constexpr UINT_PTR kSubclassId = 0x7A11;

struct KeptText {
    std::wstring text;
    bool shown = false;  // the box shows `text` instead of the edit's own
};

// The kept text hangs on the edit as a window property too, for write_text. (The subclass's
// own data would do, but GetWindowSubclass is exported from comctl32 by ordinal alone.)
constexpr const wchar_t* kKeptProperty = L"Tarrowen.KeptText";

KeptText* kept_of(HWND edit) {
    return static_cast<KeptText*>(GetPropW(edit, kKeptProperty));
}

// Paints the kept text where and as the edit paints its own: the colours and brush its parent
// gives it, its font, its formatting rectangle. The caret stands at the start, where the edit
// put it at the last write; a selection of the whole text is shown as such.
void paint_kept(HWND edit, const KeptText& kept) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(edit, &ps);
    const bool read_only = (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0;
    const UINT colour_message =
        read_only || !IsWindowEnabled(edit) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(edit), colour_message,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(edit)));
    if (brush == nullptr) {
        brush = GetSysColorBrush(COLOR_WINDOW);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    }
    auto font = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
    const HGDIOBJ old_font =
        SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    RECT format;
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // The selection counts in the edit's own text, which the user does not see.
    const auto own_length = static_cast<DWORD>(DefSubclassProc(edit, WM_GETTEXTLENGTH, 0, 0));
    const bool all_selected = GetFocus() == edit && start == 0 && own_length > 0 &&
                              end >= own_length && !kept.text.empty();
    if (all_selected) {
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    }
    // The margins round the formatting rectangle in the box's brush; the rectangle itself, its
    // background and its text, in one call: a box rewritten every frame is never seen blank.
    RECT client;
    GetClientRect(edit, &client);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, format.left, format.top, format.right, format.bottom);
    FillRect(dc, &client, brush);
    RestoreDC(dc, saved);
    ExtTextOutW(dc, format.left, format.top, ETO_OPAQUE | ETO_CLIPPED, &format, kept.text.c_str(),
                static_cast<UINT>(kept.text.size()), nullptr);
    SelectObject(dc, old_font);
    EndPaint(edit, &ps);
}

// Hands the kept text to the edit itself, before the user works the box.
void give_kept_text(HWND edit, KeptText& kept) {
    if (!kept.shown) return;
    kept.shown = false;
    DefSubclassProc(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kept.text.c_str()));
}

LRESULT CALLBACK quiet_edit_proc(HWND edit, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                 DWORD_PTR data) {
    auto& kept = *reinterpret_cast<KeptText*>(data);
    switch (message) {
        case WM_GETTEXT:
            if (kept.shown) {
                if (w == 0) return 0;
                const std::size_t n = std::min<std::size_t>(kept.text.size(), w - 1);
                std::wmemcpy(reinterpret_cast<wchar_t*>(l), kept.text.data(), n);
                reinterpret_cast<wchar_t*>(l)[n] = L'\0';
                return static_cast<LRESULT>(n);
            }
            break;
        case WM_GETTEXTLENGTH:
            if (kept.shown) return static_cast<LRESULT>(kept.text.size());
            break;
        case WM_SETTEXT:
            kept.shown = false;
            break;
        case WM_PAINT:
            if (kept.shown) {
                paint_kept(edit, kept);
                return 0;
            }
            break;
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_CONTEXTMENU:
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_REPLACESEL:
        case WM_IME_STARTCOMPOSITION:
            give_kept_text(edit, kept);
            break;
        case WM_NCDESTROY:
            RemovePropW(edit, kKeptProperty);
            RemoveWindowSubclass(edit, quiet_edit_proc, kSubclassId);
            delete &kept;
            return DefSubclassProc(edit, message, w, l);
        default:
            break;
    }
    return DefSubclassProc(edit, message, w, l);
}

}  // namespace

void make_quiet_edit(HWND edit) {
    auto* kept = new KeptText;
    SetPropW(edit, kKeptProperty, kept);
    SetWindowSubclass(edit, quiet_edit_proc, kSubclassId, reinterpret_cast<DWORD_PTR>(kept));
}

void write_text(HWND edit, const std::wstring& text, bool quietly) {
    KeptText* kept = kept_of(edit);
    if (kept != nullptr && quietly) {
        kept->text = text;
        kept->shown = true;
        // The kept text covers the whole client area: no background erase, no flicker.
        InvalidateRect(edit, nullptr, FALSE);
        return;
    }
    SetWindowTextW(edit, text.c_str());
    // The start of a text longer than the box: its sign and leading digits.
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, edit, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace tarrowen
