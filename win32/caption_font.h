// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The captions' fonts at a dpi. Captions of the fixed layout are drawn whole: wrapped onto more
// lines where the control is too narrow, and where even that does not fit, in a smaller size of
// the system's message font, the size of each caption's group (core/layout/caption_sizes.h).
// Here only what Windows alone can tell: the message font, and whether a caption fits.
//
// Example, at 96 dpi in an 8-point font: "pause simulation" in the 65 x 33 px button wraps
// after "pause" and fits; "increment 1.000" in 57 x 30 px wraps after "increment" and, where
// "increment" alone is wider than the button's inside, the step buttons take a smaller size.

#include <windows.h>

#include <array>
#include <map>
#include <string>

#include "core/layout/layout.h"

namespace tarrowen {

// The text format in which captions are drawn and measured.
inline constexpr UINT kCaptionFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;

// The height of `text` in the font selected into `dc`, wrapped to `width` pixels (for centring
// it vertically).
int wrapped_height(HDC dc, const std::wstring& text, int width);

// Where the caption of a control lies within the control's rectangle `r` at `dpi`: inside a
// push button, what its frame leaves (a themed button's frame and padding, or the one-pixel
// frame of a coloured button that draws itself, whose caption may come as near to it as the
// desktop's: "Run Simulation" on one line in 80 pixels); a label's whole rectangle.
RECT caption_area(const layout::Control& c, RECT r, UINT dpi);

// Every control's font at one dpi: the message font, and for captions that must shrink, the
// size of their group.
class CaptionFonts {
  public:
    CaptionFonts() = default;
    ~CaptionFonts() { release(); }
    CaptionFonts(const CaptionFonts&) = delete;
    CaptionFonts& operator=(const CaptionFonts&) = delete;

    // Makes the fonts for `dpi`, in place of those there were.
    void make(UINT dpi);
    HFONT of(layout::Id id) const { return font_of_[static_cast<std::size_t>(id)]; }

  private:
    void release();

    std::map<int, HFONT> fonts_;  // by height in pixels: the message font's, and smaller ones
    std::array<HFONT, layout::kControlCount> font_of_{};
};

}  // namespace tarrowen
