// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/caption_font.h"

#include "core/layout/caption_sizes.h"
#include "win32/dpi_scale.h"
#include "win32/wide_text.h"

namespace tarrowen {

namespace {

// The system's message font at `dpi` (SystemParametersInfoForDpi), the font of every control.
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

// Inside a push button, what its frame leaves for the caption, at 96 dpi.
constexpr int kButtonInsetX = 4;
constexpr int kButtonInsetY = 3;
constexpr int kColouredInsetX = 2;
constexpr int kColouredInsetY = 1;

// The height of a font in pixels (the magnitude of lfHeight).
int font_pixels(const LOGFONTW& f) {
    return f.lfHeight < 0 ? -f.lfHeight : f.lfHeight;
}

// `base` at `pixels` high, the sign of its height (cell or character height) kept.
LOGFONTW in_size(const LOGFONTW& base, int pixels) {
    LOGFONTW f = base;
    f.lfHeight = base.lfHeight < 0 ? -pixels : pixels;
    f.lfWidth = 0;
    return f;
}

// The size that `text` wrapped to `width` takes in the font selected into `dc`.
SIZE wrapped_size(HDC dc, const std::wstring& text, int width) {
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, kCaptionFormat | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

bool fits(HDC dc, const LOGFONTW& font, const std::wstring& text, const RECT& area) {
    HFONT f = CreateFontIndirectW(&font);
    const HGDIOBJ old = SelectObject(dc, f);
    // A word wider than the box widens the calculated rectangle beyond it.
    const int width = area.right - area.left;
    const SIZE need = wrapped_size(dc, text, width);
    SelectObject(dc, old);
    DeleteObject(f);
    return need.cx <= width && need.cy <= area.bottom - area.top;
}

}  // namespace

int wrapped_height(HDC dc, const std::wstring& text, int width) {
    return wrapped_size(dc, text, width).cy;
}

RECT caption_area(const layout::Control& c, RECT r, UINT dpi) {
    if (c.kind == layout::ControlKind::Button) {
        const bool coloured = c.colour >= 0;
        InflateRect(&r, -scaled(coloured ? kColouredInsetX : kButtonInsetX, dpi),
                    -scaled(coloured ? kColouredInsetY : kButtonInsetY, dpi));
    }
    return r;
}

void CaptionFonts::release() {
    for (const auto& [pixels, f] : fonts_)
        DeleteObject(f);
    fonts_.clear();
}

void CaptionFonts::make(UINT dpi) {
    using namespace layout;
    release();
    const LOGFONTW base = message_font(dpi);
    HDC dc = CreateCompatibleDC(nullptr);
    const auto sizes =
        caption_sizes({static_cast<double>(font_pixels(base)), 1, smallest_caption(scale_of(dpi))},
                      [&](Id id, double pixels) {
                          const Control& c = control(id);
                          return fits(dc, in_size(base, static_cast<int>(pixels)), widen(c.caption),
                                      caption_area(c, device_rect(c.twips, dpi), dpi));
                      });
    DeleteDC(dc);

    for (int i = 0; i < kControlCount; ++i) {
        // Controls without a caption take the message font.
        const int caption = static_cast<int>(sizes[static_cast<std::size_t>(i)]);
        const int pixels = caption == 0 ? font_pixels(base) : caption;
        HFONT& f = fonts_[pixels];
        if (f == nullptr) {
            const LOGFONTW font = pixels == font_pixels(base) ? base : in_size(base, pixels);
            f = CreateFontIndirectW(&font);
        }
        font_of_[static_cast<std::size_t>(i)] = f;
    }
}

}  // namespace tarrowen
