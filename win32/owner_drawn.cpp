// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/owner_drawn.h"

#include <string>

#include "win32/caption_font.h"
#include "win32/dpi_scale.h"
#include "win32/wide_text.h"

namespace tarrowen {

namespace {

// Darker by a quarter, for the frame of a coloured button.
COLORREF darker(COLORREF c) {
    return RGB(GetRValue(c) * 3 / 4, GetGValue(c) * 3 / 4, GetBValue(c) * 3 / 4);
}

void fill(HDC dc, const RECT& r, COLORREF colour, bool frame_only) {
    HBRUSH b = CreateSolidBrush(colour);
    if (frame_only) {
        FrameRect(dc, &r, b);
    } else {
        FillRect(dc, &r, b);
    }
    DeleteObject(b);
}

}  // namespace

void draw_owner_drawn(const DRAWITEMSTRUCT& item, const layout::Control& c, HFONT font, UINT dpi) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    COLORREF text_colour = GetSysColor(COLOR_WINDOWTEXT);
    RECT inside = caption_area(c, r, dpi);
    if (item.CtlType == ODT_BUTTON) {
        const auto colour = static_cast<COLORREF>(c.colour);
        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        fill(dc, r, pressed ? darker(colour) : colour, false);
        fill(dc, r, darker(darker(colour)), true);
        if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
            RECT f = r;
            // Just inside the frame, clear of the caption.
            InflateRect(&f, -scaled(1, dpi), -scaled(1, dpi));
            DrawFocusRect(dc, &f);
        }
        text_colour =
            GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
        if (pressed) OffsetRect(&inside, 1, 1);
    } else {
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    }
    const std::wstring text = widen(c.caption);
    const HGDIOBJ old = SelectObject(dc, font);
    // Centred both ways, as the wrapped lines need.
    const int h = wrapped_height(dc, text, inside.right - inside.left);
    inside.top += (inside.bottom - inside.top - h) / 2;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inside, kCaptionFormat);
    SelectObject(dc, old);
}

}  // namespace tarrowen
