// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/caption_font.h"

namespace tarrowen {

LOGFONTW message_font(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return metrics.lfMessageFont;
    // Windows before 10 1607: the metrics at the system's dpi, scaled.
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW f = metrics.lfMessageFont;
    HDC screen = GetDC(nullptr);
    const int system_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    f.lfHeight = MulDiv(f.lfHeight, static_cast<int>(dpi), system_dpi);
    return f;
}

namespace {

// The size that `text` wrapped to `width` takes in the font selected into `dc`.
SIZE wrapped_size(HDC dc, const std::wstring& text, int width) {
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, kCaptionFormat | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

int wrapped_height(HDC dc, const std::wstring& text, int width) {
    return wrapped_size(dc, text, width).cy;
}

LOGFONTW font_that_fits(const LOGFONTW& base, const std::wstring& text, int width, int height,
                        int smallest) {
    LOGFONTW f = base;
    HDC dc = CreateCompatibleDC(nullptr);
    for (int pixels = font_pixels(base);; --pixels) {
        f.lfHeight = base.lfHeight < 0 ? -pixels : pixels;
        f.lfWidth = 0;
        HFONT font = CreateFontIndirectW(&f);
        const HGDIOBJ old = SelectObject(dc, font);
        // A word wider than the box widens the calculated rectangle beyond it.
        const SIZE need = wrapped_size(dc, text, width);
        SelectObject(dc, old);
        DeleteObject(font);
        if ((need.cx <= width && need.cy <= height) || pixels <= smallest) break;
    }
    DeleteDC(dc);
    return f;
}

}  // namespace tarrowen
