// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Captions of the fixed layout are drawn whole: wrapped onto more lines where the control is
// too narrow, and only where even that does not fit, in a smaller size of the system's message
// font. They are never cut off.
//
// Example, at 96 dpi in an 8-point font: "pause simulation" in the 65 x 33 px button wraps
// after "pause" and fits; "increment 1.000" in 57 x 30 px wraps after "increment" and, where
// "increment" alone is wider than the button's inside, takes a smaller size.

#include <windows.h>

#include <string>

namespace tarrowen {

// The system's message font at `dpi` (SystemParametersInfoForDpi), the font of every control.
LOGFONTW message_font(UINT dpi);

// The largest font no larger than `base` in which `text`, wrapped at word boundaries and
// centred, fits a box of `width` x `height` pixels; at least `smallest` pixels high.
LOGFONTW font_that_fits(const LOGFONTW& base, const std::wstring& text, int width, int height,
                        int smallest);

// The height of a font in pixels (the magnitude of lfHeight), for comparing sizes.
inline int font_pixels(const LOGFONTW& f) {
    return f.lfHeight < 0 ? -f.lfHeight : f.lfHeight;
}

// The text format in which captions are drawn and measured.
inline constexpr UINT kCaptionFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;

// The height of `text` in `font`, wrapped to `width` pixels (for centring it vertically).
int wrapped_height(HDC dc, const std::wstring& text, int width);

}  // namespace tarrowen
